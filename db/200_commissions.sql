-- Commission tables: producer account ledger, operator statement lines,
-- seller commission tables, commission paid to the brokerage, call-centre goals.
-- Line-of-business codes in `tipo` / `opcao` are the two-character sale codes ("01" PME ... "08" Cartão).

-- Producer account ledger: one row per credit or debit of a producer ("Repasse") account.
-- Balance of a producer at a date = credits - debits of its earlier entries; same-day order is `codigo`.
CREATE TABLE IF NOT EXISTS conta_produtor (
  codigo     INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  producao   INT NULL,                -- the sale (seguros.codigo); 0 for hand entries and payment debits
  data       DATE NULL,
  segurado   INT NULL,                -- seguros_clientes.codigo; 0 when none
  seguradora INT NULL,                -- clientes.codigo; 0 on payment debits
  corretora  INT NULL,                -- empresas.codigo that books the entry
  vendedor   INT NULL,                -- individual seller of the sale
  repasse    INT NULL,                -- producer account the entry belongs to (fornecedores.codigo)
  comissao   DOUBLE NULL,             -- percent applied to `premio`
  premio     DOUBLE NULL,             -- base amount of the commission
  desconto   DOUBLE NULL,
  taxa       DOUBLE NULL,
  parcelas   INT NULL,                -- installment the credit pays
  apolice    VARCHAR(15) NULL,
  proposta   VARCHAR(15) NULL,
  historico  VARCHAR(50) NULL,
  credito    DOUBLE NULL,
  debito     DOUBLE NULL,
  saldo      DOUBLE NULL,             -- running balance cached by the last balance computation
  pgtoem     VARCHAR(1) NULL,         -- "D" dinheiro, "T" transferência, "C" cheque
  ncheque    INT NULL,
  conta      VARCHAR(5) NULL,         -- contascorrente.conta of a payment
  docorigem  VARCHAR(50) NULL,        -- statement file name or typed document
  cancelado  VARCHAR(1) NULL,
  pago       VARCHAR(1) NULL,
  KEY ix_conta_produtor_repasse_data (repasse, data, codigo),
  KEY ix_conta_produtor_credito_unico (seguradora, producao, parcelas),
  KEY ix_conta_produtor_producao (producao, parcelas),
  KEY ix_conta_produtor_data (data),
  KEY ix_conta_produtor_vendedor_data (vendedor, data),
  KEY ix_conta_produtor_segurado (segurado),
  KEY ix_conta_produtor_proposta (proposta),
  KEY ix_conta_produtor_apolice (apolice)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Lines of the last operator commission statement read in, with the outcome of each in `obs`.
-- Emptied by every import.
CREATE TABLE IF NOT EXISTS retorno (
  codigo          INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  data_pgto       DATE NOT NULL,       -- credit date typed on the import ("Data Crédito")
  valor_doc       DOUBLE NOT NULL,     -- commission the operator paid for the line
  data_baixa      DATE NULL,           -- date printed on the line
  apolice         VARCHAR(20) NULL,    -- proposal, contract or policy number as printed
  parcela         INT NULL,            -- 0 or less: the line carries no commission
  nome            VARCHAR(50) NULL,
  valor_base      DOUBLE NULL,
  vlrcomissionado DOUBLE NULL,         -- analysis mode: the sale's commissionable amount
  obs             VARCHAR(30) NULL,    -- "", "OK", "SEM COMISSÃO", "COM.QUITADA", "COM.GERADA", "N LOC", "NÃO LOC."
  fatura          VARCHAR(15) NULL,
  valor_desc      DOUBLE NULL,
  perc            DOUBLE NULL,
  KEY ix_retorno_apolice (apolice, parcela),
  KEY ix_retorno_obs (obs),
  KEY ix_retorno_nome (nome)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Seller commission tables: percentages of installments 1..6 that a sale of this
-- insurer / producer / branch / product / line / administrator gives its producer.
-- Readers take the first row their condition finds, so no uniqueness is imposed.
CREATE TABLE IF NOT EXISTS com_prod_filial (
  seguradora INT NOT NULL,             -- clientes.codigo
  vendedor   INT NOT NULL,             -- producer (fornecedores.codigo)
  filial     INT NOT NULL,             -- branch; generated rows carry 1
  produto    INT NOT NULL,             -- produtos.codigo; 0 = every product
  tipo       VARCHAR(2) NULL,          -- line of business
  adma       INT NULL,                 -- adma.codigo; 0 when none
  com1       DOUBLE NULL,
  com2       DOUBLE NULL,
  com3       DOUBLE NULL,
  com4       DOUBLE NULL,
  com5       DOUBLE NULL,
  com6       DOUBLE NULL,
  KEY ix_com_prod_filial_seg_vend_prod (seguradora, vendedor, produto, tipo),
  KEY ix_com_prod_filial_seg_tipo_adma (seguradora, tipo, adma),
  KEY ix_com_prod_filial_seg_prod (seguradora, produto),
  KEY ix_com_prod_filial_produto (produto)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Commission the insurer or operator pays the brokerage, per line of business and installment.
-- `filial` defaults to 1, the brokerage code of every login, since the maintenance screen does
-- not set it while the Auto/RE sale screen selects by it.
CREATE TABLE IF NOT EXISTS com_segur_corretora (
  seguradora INT NOT NULL,             -- clientes.codigo
  tipo       VARCHAR(2) NOT NULL,      -- line of business
  com1       DOUBLE NULL,
  com2       DOUBLE NULL,
  com3       DOUBLE NULL,
  com4       DOUBLE NULL,
  com5       DOUBLE NULL,
  vitalicio  VARCHAR(1) NULL,          -- "S" pays for the whole life of the contract, else "N"
  filial     INT NULL DEFAULT 1,
  KEY ix_com_segur_corretora_seg_tipo (seguradora, tipo, filial)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Same as com_segur_corretora with a sixth installment; kept for stored data.
CREATE TABLE IF NOT EXISTS com_seguradora_corr (
  seguradora INT NOT NULL,
  tipo       VARCHAR(2) NOT NULL,
  com1       DOUBLE NULL,
  com2       DOUBLE NULL,
  com3       DOUBLE NULL,
  com4       DOUBLE NULL,
  com5       DOUBLE NULL,
  com6       DOUBLE NULL,
  vitalicio  VARCHAR(1) NULL,
  KEY ix_com_seguradora_corr_seg_tipo (seguradora, tipo)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Monthly goals of a call centre per reference month (MMYYYY) and line of business.
CREATE TABLE IF NOT EXISTS metas_callcenter (
  referencia VARCHAR(6) NOT NULL,      -- two digits of the month, four of the year
  opcao      VARCHAR(2) NOT NULL,      -- line of business
  qtd        INT NULL,                 -- "Meta Semanal"
  vlrbb      DOUBLE NULL,              -- "Valor Boleto"
  vlrcc      DOUBLE NULL,              -- "Valor Cartão"
  vlrmeta    DOUBLE NULL,              -- "Valor Meta"
  KEY ix_metas_callcenter_ref_opcao (referencia, opcao)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
