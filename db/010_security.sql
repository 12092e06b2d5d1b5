-- Users and their access rights, the brokerage's parameters row and the audit trail.

-- One row per user. The rights are one-character levels "0" (no access) to "5" (full access);
-- the password is kept scrambled, never in clear.
CREATE TABLE IF NOT EXISTS usuarios (
  codigo       INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  nome         VARCHAR(30) NOT NULL,
  senha        VARCHAR(6)  NOT NULL,
  cadastro     VARCHAR(1)  NULL,
  tabelas      VARCHAR(1)  NULL,
  usuarios     VARCHAR(1)  NULL,
  parametros   VARCHAR(1)  NULL,
  producao     VARCHAR(1)  NULL,
  individual   VARCHAR(1)  NULL,
  pme          VARCHAR(1)  NULL,
  auto         VARCHAR(1)  NULL,
  movimentacao VARCHAR(1)  NULL,
  financeiro   VARCHAR(1)  NULL,
  rh           VARCHAR(1)  NULL,
  filial       INT         NULL,
  matriz       VARCHAR(1)  NULL,
  -- the login and every rights check search by name
  KEY idx_usuarios_nome (nome)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- The one row of the brokerage's own data and settings (name, receipt counter, default cash and
-- bank accounts, report percentages). The columns after percimp are carried so that rows kept
-- from earlier installations still load.
CREATE TABLE IF NOT EXISTS parametros (
  cnpj             VARCHAR(15) NOT NULL,
  razaosocial      VARCHAR(70) NOT NULL,
  fantasia         VARCHAR(30) NOT NULL,
  endereco         VARCHAR(50) NOT NULL,
  cidade           VARCHAR(30) NOT NULL,
  recibo           INT         NULL,
  contacaixa       VARCHAR(5)  NULL,
  contabanco       VARCHAR(5)  NULL,
  txadm            DOUBLE      NULL,
  comga            DOUBLE      NULL,
  percimp          DOUBLE      NULL,
  uf               VARCHAR(2)  NOT NULL,
  estado           VARCHAR(2)  NOT NULL,
  numero           INT         NULL,
  complemento      VARCHAR(30) NULL,
  bairro           VARCHAR(30) NULL,
  cep              VARCHAR(8)  NULL,
  ddd              VARCHAR(2)  NULL,
  fone1            VARCHAR(8)  NULL,
  fone2            VARCHAR(8)  NULL,
  fone3            VARCHAR(8)  NULL,
  contato          VARCHAR(20) NULL,
  ie               VARCHAR(15) NULL,
  proposta         INT         NULL,
  contacorrente    VARCHAR(5)  NULL,
  mensalidade      VARCHAR(8)  NULL,
  juros            VARCHAR(8)  NULL,
  multa            VARCHAR(8)  NULL,
  seguro           VARCHAR(8)  NULL,
  tarifa           VARCHAR(8)  NULL,
  juros1           DOUBLE      NULL,
  multa1           DOUBLE      NULL,
  finsocial        DOUBLE      NULL,
  iss              DOUBLE      NULL,
  pis              DOUBLE      NULL,
  irpj             DOUBLE      NULL,
  contsocial       DOUBLE      NULL,
  descmax          DOUBLE      NULL,
  gerarboletos     VARCHAR(1)  NULL,
  diasprotesto     INT         NULL,
  atraso           INT         NULL,
  codigo_uf        VARCHAR(2)  NULL,
  codigo_municipio VARCHAR(7)  NULL,
  tipo_emissao     VARCHAR(1)  NULL,
  crt              VARCHAR(1)  NULL,
  formato_danfe    VARCHAR(1)  NULL,
  pedido           INT         NULL,
  solicitacaoc     INT         NULL,
  requisicaom      INT         NULL,
  orcamento        INT         NULL,
  vlralimentacao   DOUBLE      NULL,
  vlrtransp        DOUBLE      NULL,
  vlrepi           DOUBLE      NULL,
  vlrexames        DOUBLE      NULL,
  vlrsoldadores    DOUBLE      NULL,
  vlrcesta         DOUBLE      NULL,
  vlrplanosaude    DOUBLE      NULL,
  vlrsetorpme      DOUBLE      NULL,
  horapm           VARCHAR(8)  NULL,
  diaspm           INT         NULL,
  gergeralaut      INT         NULL,
  gersetoraut      INT         NULL
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- The audit trail: one row per change of money, sales or registries. Append-only, no key.
CREATE TABLE IF NOT EXISTS rastro (
  data       DATE        NOT NULL,
  hora       VARCHAR(10) NOT NULL,
  operador   VARCHAR(20) NOT NULL,
  operacao   VARCHAR(1)  NOT NULL,
  rotina     VARCHAR(15) NOT NULL,
  historico  VARCHAR(70) NOT NULL,
  favorecido INT         NULL,
  valor      DOUBLE      NULL,
  obs        VARCHAR(70) NULL,
  -- the audit screen always filters a period, then optionally an operator
  KEY idx_rastro_data (data, operador),
  KEY idx_rastro_operador (operador, data)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
