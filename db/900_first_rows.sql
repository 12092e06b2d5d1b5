-- First rows of a new installation. Every statement leaves existing rows alone, so running the
-- scripts again on an installed database changes nothing that users made. The first user is
-- created by the program's installer, not here.

SET NAMES utf8mb4;

-- The Brazilian states: letters, internal ICMS percentage and IBGE code.
INSERT IGNORE INTO estados (uf, icms, coduf) VALUES
  ('AC', 19,   '12'),
  ('AL', 19,   '27'),
  ('AP', 18,   '16'),
  ('AM', 20,   '13'),
  ('BA', 20.5, '29'),
  ('CE', 20,   '23'),
  ('DF', 20,   '53'),
  ('ES', 17,   '32'),
  ('GO', 19,   '52'),
  ('MA', 22,   '21'),
  ('MT', 17,   '51'),
  ('MS', 17,   '50'),
  ('MG', 18,   '31'),
  ('PA', 19,   '15'),
  ('PB', 20,   '25'),
  ('PR', 19.5, '41'),
  ('PE', 20.5, '26'),
  ('PI', 21,   '22'),
  ('RJ', 20,   '33'),
  ('RN', 18,   '24'),
  ('RS', 17,   '43'),
  ('RO', 19.5, '11'),
  ('RR', 20,   '14'),
  ('SC', 17,   '42'),
  ('SP', 18,   '35'),
  ('SE', 19,   '28'),
  ('TO', 20,   '17');

-- Document types offered on the payables screen (code, " - ", name).
INSERT IGNORE INTO formapagto (codigo, descricao) VALUES
  ('BL', 'BOLETO BANCÁRIO'),
  ('CC', 'CARTÃO DE CRÉDITO'),
  ('CH', 'CHEQUE'),
  ('CP', 'CHEQUE PRÉ-DATADO'),
  ('DA', 'DÉBITO AUTOMÁTICO'),
  ('DP', 'DUPLICATA'),
  ('EM', 'EMPENHO'),
  ('NF', 'NOTA FISCAL'),
  ('NP', 'NOTA PROMISSÓRIA'),
  ('OU', 'OUTRO');

-- The cash box; the parameters row names it as the cash account.
INSERT IGNORE INTO contascorrente (conta, descricao) VALUES ('CX', 'CAIXA');

-- The one parameters row, with placeholder brokerage data to be replaced by the real ones.
INSERT INTO parametros (cnpj, razaosocial, fantasia, endereco, cidade, recibo, contacaixa,
                        txadm, comga, percimp, uf, estado, bairro, cep, ddd, proposta,
                        codigo_uf, codigo_municipio)
SELECT '11222333000181', 'VELMORA CORRETORA DE SEGUROS LTDA', 'VELMORA CORRETORA',
       'AV. DOS HOLANDESES, 1000', 'SAO LUIS', 0, 'CX',
       0, 0, 0, 'MA', 'MA', 'CALHAU', '65071380', '98', 0,
       '21', '2111300'
FROM DUAL
WHERE NOT EXISTS (SELECT 1 FROM parametros);

-- Proposal states: the number in front is the state's code; 06 is a finished process, 07 and 08
-- are shown in red and 08 is the cancelled state. The list is the users' own once installed, so
-- it is filled only while empty: a state deleted on purpose does not come back on a re-install.
INSERT INTO statusprop (codigo, nome, ativo)
SELECT v.codigo, v.nome, 'S'
FROM (SELECT 1 AS codigo, '01-AGUARDANDO RETORNO PROCESSO' AS nome
      UNION ALL SELECT 2,  '02-EM ANÁLISE NA OPERADORA'
      UNION ALL SELECT 3,  '03-PENDENTE DE DOCUMENTAÇÃO'
      UNION ALL SELECT 4,  '04-PROPOSTA APROVADA'
      UNION ALL SELECT 5,  '05-AGUARDANDO IMPLANTAÇÃO'
      UNION ALL SELECT 6,  '06-PROCESSO FINALIZADO'
      UNION ALL SELECT 7,  '07-DECLINIO'
      UNION ALL SELECT 8,  '08-PROPOSTA CANCELADA'
      UNION ALL SELECT 9,  '09-PROSPECTO'
      UNION ALL SELECT 10, '10-IMPLANTADA') AS v
WHERE NOT EXISTS (SELECT 1 FROM statusprop);

-- Insured party 0 stands for "no insured" in the producer ledger and its listings.
SET @velmora_sql_mode = @@SESSION.sql_mode;
SET SESSION sql_mode = CONCAT_WS(',', NULLIF(@@SESSION.sql_mode, ''), 'NO_AUTO_VALUE_ON_ZERO');
INSERT IGNORE INTO seguros_clientes (codigo, nome) VALUES (0, 'N/I');
SET SESSION sql_mode = @velmora_sql_mode;
