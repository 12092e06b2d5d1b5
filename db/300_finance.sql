-- Finance tables: receivables, payables, cash-flow ledger, bank and cash accounts with
-- their yearly balances, chart of accounts, cost-centre split, document types,
-- management-summary ageing and the staff ledgers of the employee record.
-- A receivable or payable is open while `pgto` is null and settled once it holds a date.

-- Documents to receive; for installments of a sale `cliente` is the operator, `doc` the
-- proposal, `nf` the policy/contract, `parc` the installment and `producao` the sale.
-- `tipo` defaults to "OU" (OUTRO) for documents typed on the receivables screen, which sets none.
CREATE TABLE IF NOT EXISTS docreceber (
  cod         INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  cliente     INT NOT NULL,             -- debtor (clientes.codigo)
  tipo        VARCHAR(2) NOT NULL DEFAULT 'OU',
  doc         VARCHAR(20) NOT NULL,
  emissao     DATE NOT NULL,
  vencto      DATE NOT NULL,
  valor       DOUBLE NOT NULL,          -- face value; commissionable amount for installments
  liquido     DOUBLE NULL,              -- net amount that every consultation and total sums
  conta       VARCHAR(5) NULL,          -- account credited at settlement
  planoconta  VARCHAR(8) NULL,
  pgto        DATE NULL,                -- settlement date; null while open
  valorpago   DOUBLE NULL,
  docorigem   VARCHAR(50) NULL,         -- statement, invoice or bank document that paid it
  nf          VARCHAR(20) NULL,         -- policy or contract number ("Apólice")
  parc        INT NULL,
  producao    INT NULL,                 -- seguros.codigo; null when not linked
  adma        INT NULL,
  empresa     INT NULL,
  juros       DOUBLE NULL,
  planojuros  VARCHAR(8) NULL,
  desconto    DOUBLE NULL,
  obsI        VARCHAR(100) NULL,        -- settlement remark
  atraso      DOUBLE NULL,              -- days overdue
  valoratraso DOUBLE NULL,
  juros1      DOUBLE NULL,
  multa1      DOUBLE NULL,
  N_numero    DOUBLE NULL,              -- boleto number
  KEY ix_docreceber_cliente_doc_parc (cliente, doc, parc),
  KEY ix_docreceber_cliente_nf_parc (cliente, nf, parc),
  KEY ix_docreceber_doc (doc),
  KEY ix_docreceber_producao (producao, parc),
  KEY ix_docreceber_pgto (pgto),
  KEY ix_docreceber_vencto (vencto),
  KEY ix_docreceber_emissao (emissao)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Documents to pay: the brokerage's bills and the cheques issued to sellers.
CREATE TABLE IF NOT EXISTS docpagar (
  cod             INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  fornecedor      INT NOT NULL,         -- creditor (fornecedores.codigo)
  fixa            VARCHAR(1) NOT NULL,  -- "S" recurring expense, "N" otherwise
  tipo            VARCHAR(2) NOT NULL,  -- formapagto code
  doc             VARCHAR(15) NOT NULL,
  emissao         DATE NOT NULL,
  vencto          DATE NOT NULL,
  valor           DOUBLE NOT NULL,
  localcob        VARCHAR(30) NULL,     -- "Local Cobrança"
  vlrjuros        DOUBLE NULL,          -- agreed interest, money
  percjuros       DOUBLE NULL,          -- agreed interest, percent
  multa           DOUBLE NULL,          -- agreed fine, percent
  descontopgto    DOUBLE NULL,          -- discount for payment up to `pgtoI`
  pgtoI           DATE NULL,
  obs             VARCHAR(120) NULL,
  conta           VARCHAR(5) NULL,      -- account debited at payment
  planoconta      VARCHAR(8) NULL,
  pgto            DATE NULL,            -- payment date; null while open
  valorpago       DOUBLE NULL,
  juros           DOUBLE NULL,
  desconto        DOUBLE NULL,
  obsI            VARCHAR(100) NULL,
  docorigem       VARCHAR(15) NULL,     -- cheque or transfer that paid it
  planojuros      VARCHAR(8) NULL,
  empresa         INT NULL,
  centrocusto     VARCHAR(10) NULL,
  atraso          DOUBLE NULL,          -- days overdue
  juros1          DOUBLE NULL,
  multa1          DOUBLE NULL,
  valoratraso     DOUBLE NULL,
  plconta         VARCHAR(8) NULL,      -- "Conta Gerencial"
  operador        VARCHAR(20) NULL,
  data_operacao   DATE NULL,
  hora_operacao   VARCHAR(10) NULL,     -- "hh:mm:ss"
  pagtoem         VARCHAR(1) NULL,      -- "0" dinheiro .. "7" débito automático
  autorizado      VARCHAR(1) NULL,      -- "S" / "N"
  dataautorizacao DATE NULL,
  autorizadopor   VARCHAR(20) NULL,
  banco           INT NULL,
  ag              VARCHAR(10) NULL,
  contacorrente   VARCHAR(5) NULL,
  cheque          INT NULL,
  vale            VARCHAR(1) NULL,      -- "S" staff advance ("VALE"), else "N"
  KEY ix_docpagar_fornecedor (fornecedor),
  KEY ix_docpagar_vencto (vencto),
  KEY ix_docpagar_pgto (pgto),
  KEY ix_docpagar_emissao (emissao),
  KEY ix_docpagar_doc (doc)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Cash-flow ledger: every movement of money in one account; "C" credit, "D" debit.
-- A transfer is two rows, one per account, with the same `doc`.
CREATE TABLE IF NOT EXISTS financeiro (
  codigo          INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  conta           VARCHAR(5) NOT NULL,  -- contascorrente.conta
  data            DATE NOT NULL,
  historico       VARCHAR(80) NULL,
  tipo            VARCHAR(1) NOT NULL,
  credito         DOUBLE NULL,
  debito          DOUBLE NULL,
  saldoconta      DOUBLE NULL,          -- running balance of the last account statement
  saldoplanoconta DOUBLE NULL,
  empresa         INT NULL,
  operador        VARCHAR(30) NULL,
  data_operacao   DATE NULL,
  hora_operacao   VARCHAR(8) NULL,      -- "hh:mm:ss"
  doc             VARCHAR(15) NULL,
  docorigem       VARCHAR(15) NULL,
  planoconta      VARCHAR(8) NULL,      -- planocontas.codigo
  centrocusto     VARCHAR(10) NULL,
  qtd             DOUBLE NULL,
  operador_rec    VARCHAR(30) NULL,     -- reconciliation
  data_rec        DATE NULL,
  hora_rec        VARCHAR(8) NULL,
  KEY ix_financeiro_conta_data (conta, data),
  KEY ix_financeiro_data (data),
  KEY ix_financeiro_planoconta_data (planoconta, data),
  KEY ix_financeiro_doc (doc)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Bank and cash accounts (the cash box is "CX"). The monthly columns are legacy:
-- yearly balances live in contascorrente_saldo.
CREATE TABLE IF NOT EXISTS contascorrente (
  conta          VARCHAR(5) NOT NULL PRIMARY KEY,
  descricao      VARCHAR(30) NOT NULL,
  carteira       INT NULL,              -- "Carteira"
  n_numero       DOUBLE NULL,           -- last boleto number used ("N.Número")
  convenio       INT NULL,              -- "Convênio"
  banco          INT NULL,
  agencia        INT NULL,
  agenciad       VARCHAR(1) NULL,
  contacorrente  INT NULL,
  contacorrented VARCHAR(1) NULL,
  saldoant       DOUBLE NULL,
  deb1  DOUBLE NULL, deb2  DOUBLE NULL, deb3  DOUBLE NULL, deb4  DOUBLE NULL,
  deb5  DOUBLE NULL, deb6  DOUBLE NULL, deb7  DOUBLE NULL, deb8  DOUBLE NULL,
  deb9  DOUBLE NULL, deb10 DOUBLE NULL, deb11 DOUBLE NULL, deb12 DOUBLE NULL,
  cred1  DOUBLE NULL, cred2  DOUBLE NULL, cred3  DOUBLE NULL, cred4  DOUBLE NULL,
  cred5  DOUBLE NULL, cred6  DOUBLE NULL, cred7  DOUBLE NULL, cred8  DOUBLE NULL,
  cred9  DOUBLE NULL, cred10 DOUBLE NULL, cred11 DOUBLE NULL, cred12 DOUBLE NULL,
  empresa        INT NULL,
  agenciacc      VARCHAR(16) NULL,      -- "Ag. C.C."
  pathretorno    VARCHAR(40) NULL,      -- "Ret. Banc."
  agenciaccd     VARCHAR(1) NULL,
  KEY ix_contascorrente_descricao (descricao)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Yearly balances of an account: opening balance and the monthly totals of its ledger rows.
CREATE TABLE IF NOT EXISTS contascorrente_saldo (
  conta    VARCHAR(5) NOT NULL,
  ano      VARCHAR(4) NOT NULL,
  saldoant DOUBLE NULL,                 -- balance at the start of the year
  deb1  DOUBLE NULL, deb2  DOUBLE NULL, deb3  DOUBLE NULL, deb4  DOUBLE NULL,
  deb5  DOUBLE NULL, deb6  DOUBLE NULL, deb7  DOUBLE NULL, deb8  DOUBLE NULL,
  deb9  DOUBLE NULL, deb10 DOUBLE NULL, deb11 DOUBLE NULL, deb12 DOUBLE NULL,
  cred1  DOUBLE NULL, cred2  DOUBLE NULL, cred3  DOUBLE NULL, cred4  DOUBLE NULL,
  cred5  DOUBLE NULL, cred6  DOUBLE NULL, cred7  DOUBLE NULL, cred8  DOUBLE NULL,
  cred9  DOUBLE NULL, cred10 DOUBLE NULL, cred11 DOUBLE NULL, cred12 DOUBLE NULL,
  PRIMARY KEY (conta, ano),
  KEY ix_contascorrente_saldo_ano (ano)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Chart of accounts: codes of 1, 2, 3, 5 or 8 digits (levels 1.1.1.2.3), shown "9.9.9.99.999".
-- Monthly totals include every account below; written by the monthly processing.
CREATE TABLE IF NOT EXISTS planocontas (
  codigo    VARCHAR(8) NOT NULL PRIMARY KEY,
  descricao VARCHAR(50) NOT NULL,
  chave     VARCHAR(60) NOT NULL,       -- dotted code, three blanks, the name
  deb1  DOUBLE NULL, deb2  DOUBLE NULL, deb3  DOUBLE NULL, deb4  DOUBLE NULL,
  deb5  DOUBLE NULL, deb6  DOUBLE NULL, deb7  DOUBLE NULL, deb8  DOUBLE NULL,
  deb9  DOUBLE NULL, deb10 DOUBLE NULL, deb11 DOUBLE NULL, deb12 DOUBLE NULL,
  cred1  DOUBLE NULL, cred2  DOUBLE NULL, cred3  DOUBLE NULL, cred4  DOUBLE NULL,
  cred5  DOUBLE NULL, cred6  DOUBLE NULL, cred7  DOUBLE NULL, cred8  DOUBLE NULL,
  cred9  DOUBLE NULL, cred10 DOUBLE NULL, cred11 DOUBLE NULL, cred12 DOUBLE NULL,
  saldoant  DOUBLE NULL,
  KEY ix_planocontas_descricao (descricao)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Share of a payment ("P") or receipt ("R") charged to a cost centre.
CREATE TABLE IF NOT EXISTS centrocusto (
  codigo       INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  data         DATE NOT NULL,
  historico    VARCHAR(80) NOT NULL,    -- "Pagto ..." for shares of a payable
  entrada      DOUBLE NULL,
  saida        DOUBLE NULL,
  sigla_transp VARCHAR(2) NOT NULL,     -- cost-centre code ("Transportadora")
  favorecido   INT NULL,                -- fornecedores.codigo of the payable
  documento    VARCHAR(15) NULL,        -- the payable's or ledger row's `doc`
  tipo         VARCHAR(1) NULL,
  KEY ix_centrocusto_documento (documento),
  KEY ix_centrocusto_data (data),
  KEY ix_centrocusto_sigla_data (sigla_transp, data)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Document types offered on the payables screen.
CREATE TABLE IF NOT EXISTS formapagto (
  codigo    VARCHAR(2) NOT NULL PRIMARY KEY,
  descricao VARCHAR(50) NOT NULL,
  dias      INT NULL,
  comissao  DOUBLE NULL                 -- percent
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Work table of the management summary: open documents overdue per age band ("A1" .. "A12").
CREATE TABLE IF NOT EXISTS mapadesembolso (
  TipoI      VARCHAR(1) NOT NULL,       -- sort key "1" .. "9", "A", "B", "C"
  tipo       VARCHAR(3) NOT NULL,       -- band code
  texto      VARCHAR(40) NOT NULL,      -- band label "30" .. "331"
  VlrReceber DOUBLE NULL,
  VlrPagar   DOUBLE NULL,
  KEY ix_mapadesembolso_tipo (tipo),
  KEY ix_mapadesembolso_texto (texto)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Daily sales totals; kept for stored data.
CREATE TABLE IF NOT EXISTS mapafaturamento (
  data      DATE NOT NULL,
  avista    DOUBLE NULL,
  aprazo    DOUBLE NULL,
  acumulado DOUBLE NULL,
  KEY ix_mapafaturamento_data (data)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Staff ledgers of the employee record; `funcionario` is the employee's fornecedores.codigo.

-- Loans and advances to the employee, with the running balance after each row.
CREATE TABLE IF NOT EXISTS emprestimos (
  codigo      INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  data        DATE NOT NULL,
  credito     DOUBLE NULL,
  debito      DOUBLE NULL,
  saldo       DOUBLE NULL,
  funcionario DOUBLE NULL,
  KEY ix_emprestimos_funcionario (funcionario, data)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Absences: "F" falta, "FJ" falta justificada.
CREATE TABLE IF NOT EXISTS faltasfunc (
  codigo      INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  data        DATE NOT NULL,
  qtd         DOUBLE NULL,              -- days
  funcionario DOUBLE NULL,
  tipo        VARCHAR(2) NULL,
  obs         VARCHAR(40) NULL,
  cliente     INT NULL,
  KEY ix_faltasfunc_funcionario (funcionario, data)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Overtime hours.
CREATE TABLE IF NOT EXISTS horasextras (
  codigo      INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  data        DATE NOT NULL,
  qtd         DOUBLE NULL,              -- hours
  funcionario DOUBLE NULL,
  KEY ix_horasextras_funcionario (funcionario, data)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
