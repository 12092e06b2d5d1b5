-- Sales production: sales, insured parties and their links to a sale, sale history,
-- insured vehicles, claims, sales goals, the ABC-curve work table and the broker list.
-- Installments of a sale live in docreceber (producao = seguros.codigo), the seller
-- commission entries in conta_produtor (producao = seguros.codigo).

-- One row per sale (proposal, later policy), whatever the line of business.
-- tipo: "01" PME, "02" Individual, "03" Auto, "04" RE, "05" Adesão, "06" Consórcio,
-- "07" Vidas, "08" Cartão. proposta + seguradora identify a sale, but older rows are
-- not guaranteed unique, so that pair is an index and not a constraint.
CREATE TABLE IF NOT EXISTS seguros (
  codigo          INT          NOT NULL AUTO_INCREMENT,
  tipo            CHAR(2)      NULL,
  segurado        INT          NULL,      -- seguros_clientes.codigo
  operador        VARCHAR(30)  NULL,      -- login name (usuarios.nome)
  data_operacao   DATE         NULL,
  produto         INT          NOT NULL,  -- produtos.codigo
  proposta        VARCHAR(15)  NOT NULL,
  apolice         VARCHAR(15)  NULL,
  contrato        VARCHAR(15)  NULL,      -- PME: health contract
  contratoii      VARCHAR(15)  NULL,      -- PME: dental contract
  seguradora      INT          NOT NULL,  -- clientes.codigo (insurer / operator)
  vendedor        INT          NOT NULL,  -- fornecedores.codigo, 0 = none
  produtor        INT          NULL,      -- pass-through producer ("Repasse"), 0 = none
  adm_super       INT          NULL,      -- supervisor: fornecedores.codigo, 0 = none
  empresa         INT          NULL,      -- branch: empresas.codigo
  status_prop     INT          NULL,      -- statusprop.codigo
  producao        DATE         NOT NULL,  -- day the proposal was sold
  efetivacao      DATE         NULL,      -- start of cover ("Vigência")
  dtcancel        DATE         NULL,
  vlrcomissionado DOUBLE       NULL,      -- monthly amount / net premium
  vencto1a        DATE         NULL,
  valor1a         DOUBLE       NULL,
  pgto1a          DATE         NULL,
  vlrparcelas     DOUBLE       NULL,
  vencto2a        DATE         NULL,
  com1            DOUBLE       NULL,      -- producer % for installments 1 to 6
  com2            DOUBLE       NULL,
  com3            DOUBLE       NULL,
  com4            DOUBLE       NULL,
  com5            DOUBLE       NULL,
  com6            DOUBLE       NULL,
  desccom         DOUBLE       NULL,      -- commission deduction (money)
  pagarvital      INT          NULL,      -- 1 = lifelong commission
  vidas           INT          NULL,
  ntitular        CHAR(1)      NULL,      -- PME: "1" one holder, "2" more
  tipoSPG         CHAR(1)      NULL,      -- PME size bracket "1".."3"
  v18             INT          NULL,      -- PME: health lives
  v23             INT          NULL,      -- PME: dental lives
  v28             INT          NULL,
  v33             INT          NULL,
  v38             INT          NULL,
  v43             INT          NULL,
  v48             INT          NULL,
  v53             INT          NULL,
  v58             INT          NULL,
  v59             INT          NULL,
  acomodacao      CHAR(1)      NULL,      -- "E" enfermaria, "A" apartamento, "M" misto
  reembolso       INT          NULL,
  tipoAdesao      CHAR(1)      NULL,      -- "O" opcional, "C" compulsório
  administradora  INT          NULL,      -- adma.codigo, 0 or NULL = none
  veiculo         VARCHAR(50)  NULL,
  comA            DOUBLE       NULL,      -- Auto/RE: brokerage % on net premium
  descA           DOUBLE       NULL,      -- Auto/RE: discount % on the commission
  parcA           INT          NULL,
  formapgtoA      CHAR(2)      NULL,      -- formapagto code
  Autosn          CHAR(1)      NULL,      -- "S"/"N": new insurance
  Autorn          CHAR(1)      NULL,      -- renewal
  Autoen          CHAR(1)      NULL,      -- endorsement
  Autorea         CHAR(1)      NULL,      -- reinstatement
  endosso         VARCHAR(30)  NULL,
  canalV          INT          NULL,      -- canalvendas.codigo
  origemV         INT          NULL,      -- origemvendas.codigo
  redeA           CHAR(1)      NULL,
  mercadoA        CHAR(1)      NULL,
  vlrestorno      DOUBLE       NULL,
  regiao          INT          NULL,      -- regiao.codigo
  PRIMARY KEY (codigo),
  KEY ix_proposta_seguradora (proposta, seguradora),
  KEY ix_seguradora_contrato (seguradora, contrato),
  KEY ix_apolice (apolice),
  KEY ix_segurado (segurado),
  KEY ix_vendedor (vendedor),
  KEY ix_produtor (produtor),
  KEY ix_adm_super (adm_super),
  KEY ix_produto (produto),
  KEY ix_status_prop (status_prop),
  KEY ix_administradora (administradora),
  KEY ix_canalV (canalV),
  KEY ix_origemV (origemV),
  KEY ix_regiao (regiao),
  KEY ix_tipo_producao (tipo, producao),
  KEY ix_producao (producao),
  KEY ix_efetivacao (efetivacao)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Every insured party: PME companies, holders, dependents, individual and Auto/RE insured.
-- Found again by cnpj_cpf (digits only), a dependent without CPF by nome + mae.
CREATE TABLE IF NOT EXISTS seguros_clientes (
  codigo        INT          NOT NULL AUTO_INCREMENT,
  cnpj_cpf      VARCHAR(14)  NULL,
  nome          VARCHAR(70)  NOT NULL,
  fantasia      VARCHAR(40)  NULL,
  endereco      VARCHAR(70)  NULL,
  bairro        VARCHAR(30)  NULL,
  cep           VARCHAR(8)   NULL,
  cidade        VARCHAR(40)  NULL,
  estado        CHAR(2)      NULL,
  email         VARCHAR(40)  NULL,
  home          VARCHAR(40)  NULL,
  fone1         VARCHAR(11)  NULL,
  fone2         VARCHAR(11)  NULL,
  fone3         VARCHAR(11)  NULL,
  contato       VARCHAR(30)  NULL,
  sexo          CHAR(1)      NULL,      -- "M" / "F"
  dtnasc        DATE         NULL,
  nacionalidade VARCHAR(4)   NULL,
  rg            VARCHAR(15)  NULL,
  emissaorg     DATE         NULL,
  orgaorg       VARCHAR(10)  NULL,
  EstCivil      CHAR(1)      NULL,      -- "S", "C", "V", "D"
  Aposentado    CHAR(1)      NULL,
  TempoServico  CHAR(1)      NULL,
  Invalidez     CHAR(1)      NULL,
  mae           VARCHAR(50)  NULL,
  peso          VARCHAR(5)   NULL,
  altura        VARCHAR(5)   NULL,
  parentesco    VARCHAR(15)  NULL,
  matricula     INT          NULL,
  profissao     INT          NULL,      -- profissoes.codigo, 0 = none
  entidade      INT          NULL,      -- entidades.codigo, 0 = none
  PRIMARY KEY (codigo),
  KEY ix_cnpj_cpf (cnpj_cpf),
  KEY ix_nome_mae (nome, mae),
  KEY ix_profissao (profissao),
  KEY ix_entidade (entidade)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Holders of a company sale: one row per (seguro, favorecido).
CREATE TABLE IF NOT EXISTS seguros_idclientes (
  seguro     INT          NOT NULL,     -- seguros.codigo
  favorecido INT          NOT NULL,     -- holder: seguros_clientes.codigo
  tipo       CHAR(1)      NULL,         -- "P": holder of the plan
  carencia   CHAR(1)      NULL,         -- "S" when a waiting-period agreement applies
  convenio   VARCHAR(20)  NULL,
  KEY ix_seguro_favorecido (seguro, favorecido),
  KEY ix_favorecido (favorecido)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Dependents of a sale. PME: favorecido is the holder the dependent depends on.
-- Individual/Adesão: favorecido is the dependent itself.
CREATE TABLE IF NOT EXISTS seguros_idterceiros (
  seguro     INT          NOT NULL,     -- seguros.codigo
  favorecido INT          NOT NULL,     -- seguros_clientes.codigo
  terceiro   INT          NOT NULL,     -- dependent: seguros_clientes.codigo
  carencia   CHAR(1)      NULL,
  convenio   VARCHAR(20)  NULL,
  KEY ix_seguro_favorecido_terceiro (seguro, favorecido, terceiro),
  KEY ix_terceiro (terceiro)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Dated notes on a sale: one per status change, plus notes typed by hand.
CREATE TABLE IF NOT EXISTS historico_seguros (
  codigo    INT          NOT NULL AUTO_INCREMENT,
  seguro    INT          NULL,          -- seguros.codigo
  data      DATE         NOT NULL,
  hora      CHAR(4)      NOT NULL,      -- "HHMM"
  operador  VARCHAR(30)  NOT NULL,      -- login name (usuarios.nome)
  historico VARCHAR(50)  NOT NULL,
  operacao  DATE         NULL,          -- day the note was entered
  PRIMARY KEY (codigo),
  KEY ix_seguro_data (seguro, data)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Vehicles insured for an Auto client, a vehicle is addressed by (cliente, apolice).
CREATE TABLE IF NOT EXISTS segurosauto (
  chassi     VARCHAR(17)  NOT NULL,
  cliente    INT          NULL,         -- seguros_clientes.codigo
  placa      VARCHAR(7)   NULL,
  modelo     VARCHAR(40)  NOT NULL,
  apolice    VARCHAR(15)  NULL,
  franquia   DOUBLE       NULL,
  inicio     DATE         NULL,
  termino    DATE         NULL,
  vendedor   INT          NULL,         -- fornecedores.codigo
  seguradora INT          NULL,         -- clientes.codigo
  KEY ix_cliente_apolice (cliente, apolice),
  KEY ix_placa (placa),
  KEY ix_vendedor (vendedor),
  KEY ix_seguradora (seguradora)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Claims on a sale.
CREATE TABLE IF NOT EXISTS sinistros (
  codigo    INT      NOT NULL AUTO_INCREMENT,
  seguro    INT      NULL,              -- seguros.codigo
  data      DATE     NOT NULL,
  datapgto  DATE     NULL,
  valorpago DOUBLE   NULL,
  tipo      CHAR(1)  NULL,              -- "P" parcial, "T" total
  status    CHAR(1)  NULL,              -- "P" pago, "N" negado
  utilizado CHAR(1)  NULL,              -- "P" principal, "T" terceiro, "A" ambos
  PRIMARY KEY (codigo),
  KEY ix_seguro (seguro)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Monthly sales goals per line of business, referencia is "MMYYYY".
-- A (referencia, opcao) pair may repeat and deleting a goal removes all its rows.
CREATE TABLE IF NOT EXISTS metas (
  referencia CHAR(6)  NOT NULL,
  opcao      CHAR(2)  NOT NULL,         -- line-of-business code
  qtd        DOUBLE   NULL,
  KEY ix_referencia_opcao (referencia, opcao)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Work table of the ABC-curve reports: emptied and refilled by each run,
-- one row per seller with the production of each line of business.
CREATE TABLE IF NOT EXISTS curvaabc (
  vendedor  INT     NOT NULL,           -- fornecedores.codigo
  pme       DOUBLE  NULL,               -- "01"
  indiv     DOUBLE  NULL,               -- "02"
  adesao    DOUBLE  NULL,               -- "05"
  auto      DOUBLE  NULL,               -- "03"
  re        DOUBLE  NULL,               -- "04"
  consorcio DOUBLE  NULL,               -- "06"
  cartao    DOUBLE  NULL,               -- "08"
  vidas     DOUBLE  NULL,               -- "07"
  total     DOUBLE  NULL,
  KEY ix_vendedor (vendedor)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Brokers from an operator platform: the producer registry creates a seller from
-- each broker whose CPF is not yet registered.
CREATE TABLE IF NOT EXISTS corretores (
  id_corretor     INT           NOT NULL AUTO_INCREMENT,
  sit_corretor    TEXT          NOT NULL,
  nome_corretor   VARCHAR(200)  NOT NULL,
  rg_corretor     VARCHAR(50)   NOT NULL,
  cpf_corretor    VARCHAR(50)   NOT NULL,
  nasc_corretor   DATE          NOT NULL,
  end_corretor    VARCHAR(200)  NOT NULL,
  bairro_corretor VARCHAR(50)   NOT NULL,
  cidade_corretor VARCHAR(50)   NOT NULL,
  estado_corretor VARCHAR(5)    NOT NULL,
  fone_corretor1  VARCHAR(15)   NOT NULL,
  fone_corretor2  VARCHAR(15)   NOT NULL,
  email_corretor  VARCHAR(100)  NOT NULL,
  PRIMARY KEY (id_corretor),
  KEY ix_cpf_corretor (cpf_corretor)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
