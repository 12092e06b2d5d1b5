-- Head office and branches, products, the small lookup lists and the Brazilian states.

-- The brokerage's head office and branches; sales and producer accounts point to them.
CREATE TABLE IF NOT EXISTS empresas (
  codigo   INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  cnpj_cpf VARCHAR(14) NULL,
  ie_rg    VARCHAR(15) NULL,
  nome     VARCHAR(70) NOT NULL,
  fantasia VARCHAR(50) NULL,
  contato  VARCHAR(30) NULL,
  endereco VARCHAR(70) NULL,
  bairro   VARCHAR(30) NULL,
  cidade   VARCHAR(30) NULL,
  estado   VARCHAR(2)  NULL,
  cep      VARCHAR(8)  NULL,
  fone1    VARCHAR(11) NULL,
  fone2    VARCHAR(11) NULL,
  fone3    VARCHAR(11) NULL,
  email    VARCHAR(60) NULL,
  homepage VARCHAR(40) NULL,
  cadastro DATE        NULL,
  KEY idx_empresas_fantasia (fantasia)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Products sold by an insurer or operator (seguradora = clientes.codigo). The same name may
-- exist under different insurers.
CREATE TABLE IF NOT EXISTS produtos (
  codigo     INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  nome       VARCHAR(40) NOT NULL,
  ativo      VARCHAR(1)  NULL,
  seguradora INT         NULL,
  taxa       DOUBLE      NULL,
  comissao   DOUBLE      NULL,
  KEY idx_produtos_nome (nome),
  KEY idx_produtos_seguradora (seguradora)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Lookup lists. ativo is "S"/"N"; an entry added by name only has no value until first toggled.

-- Health-plan (benefit) administrators.
CREATE TABLE IF NOT EXISTS adma (
  codigo INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  nome   VARCHAR(40) NOT NULL,
  ativo  VARCHAR(1)  NULL,
  KEY idx_adma_nome (nome)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Associations and unions of association (Adesão) plans.
CREATE TABLE IF NOT EXISTS entidades (
  codigo INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  nome   VARCHAR(40) NOT NULL,
  ativo  VARCHAR(1)  NULL,
  KEY idx_entidades_nome (nome)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Professions of insured persons.
CREATE TABLE IF NOT EXISTS profissoes (
  codigo INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  nome   VARCHAR(40) NULL,
  ativo  VARCHAR(1)  NULL,
  KEY idx_profissoes_nome (nome)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Sales regions.
CREATE TABLE IF NOT EXISTS regiao (
  codigo INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  nome   VARCHAR(40) NOT NULL,
  ativo  VARCHAR(1)  NULL,
  KEY idx_regiao_nome (nome)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Proposal states, named "NN-DESCRIPTION": the sale screens read the number from the first two
-- characters ("08" is cancelled) and the description from the fourth on.
CREATE TABLE IF NOT EXISTS statusprop (
  codigo INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  nome   VARCHAR(40) NOT NULL,
  ativo  VARCHAR(1)  NULL,
  KEY idx_statusprop_nome (nome)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Sales channels.
CREATE TABLE IF NOT EXISTS canalvendas (
  codigo    INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  descricao VARCHAR(50) NULL,
  ativo     VARCHAR(1)  NULL,
  KEY idx_canalvendas_descricao (descricao)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Sales origins.
CREATE TABLE IF NOT EXISTS origemvendas (
  codigo    INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  descricao VARCHAR(50) NULL,
  ativo     VARCHAR(1)  NULL,
  KEY idx_origemvendas_descricao (descricao)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- The Brazilian states: letters, sales-tax percentage and numeric (IBGE) code.
CREATE TABLE IF NOT EXISTS estados (
  uf    VARCHAR(2) NOT NULL PRIMARY KEY,
  icms  DOUBLE     NULL,
  coduf VARCHAR(2) NULL
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
