-- Stored procedures of the screens' writes. Each parameter is named after the column it fills;
-- the screens bind them by position and read no result. No procedure opens or ends a
-- transaction: the calling command owns it, so a procedure that touches several rows commits
-- or rolls back together with the rest of that command.
--
-- Dates arrive as text or date values: a date value (insert procedures) or a year/month/day
-- literal (change procedures). A blank date (30/12/1899, 0000/00/00 or empty) is stored as NULL.

SET NAMES utf8mb4;

DELIMITER $$

-- Turns a date as the screens send it into a date column value: NULL for a blank date, the date
-- for "yyyy/mm/dd", "yyyy-mm-dd" (with or without a time) or "dd/mm/yyyy"; anything else is
-- refused so that a mistyped date is never stored as blank.
CREATE OR REPLACE FUNCTION fn_data(p_texto VARCHAR(30)) RETURNS DATE
  DETERMINISTIC NO SQL SQL SECURITY INVOKER
BEGIN
  DECLARE v_texto VARCHAR(30) DEFAULT TRIM(COALESCE(p_texto, ''));
  DECLARE v_data DATE DEFAULT NULL;
  DECLARE v_msg VARCHAR(128);
  -- an impossible day (31/02) is reported below like any other unreadable date
  DECLARE CONTINUE HANDLER FOR SQLSTATE '22007' SET v_data = NULL;
  IF v_texto = '' OR v_texto REGEXP '^0{1,4}[-/]0{1,2}[-/]0{1,4}' THEN
    RETURN NULL;
  END IF;
  IF v_texto REGEXP '^[0-9]{1,2}/[0-9]{1,2}/[0-9]{4}$' THEN
    SET v_data = STR_TO_DATE(v_texto, '%d/%m/%Y');
  ELSEIF v_texto REGEXP '^[0-9]{4}[-/][0-9]{1,2}[-/][0-9]{1,2}([ T][0-9:.]*)?$' THEN
    SET v_data = CAST(REPLACE(SUBSTRING_INDEX(REPLACE(v_texto, 'T', ' '), ' ', 1), '/', '-') AS DATE);
  END IF;
  IF v_data IS NULL OR MONTH(v_data) = 0 OR DAYOFMONTH(v_data) = 0 THEN
    SET v_msg = CONCAT('Data inválida: ', v_texto);
    SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_msg;
  END IF;
  IF v_data = '1899-12-30' THEN
    RETURN NULL;
  END IF;
  RETURN v_data;
END$$

-- ---------------------------------------------------------------------------------------------
-- Audit trail
-- ---------------------------------------------------------------------------------------------

-- Appends one audit row. The texts are cut to the widths of the trail so that a long
-- description never makes the audited write fail.
CREATE OR REPLACE PROCEDURE sp_i_rastro(
  r_data VARCHAR(30), r_hora VARCHAR(255), r_operador VARCHAR(255), r_rotina VARCHAR(255),
  r_operacao VARCHAR(255), r_historico VARCHAR(1000), r_favorecido INT, r_valor DOUBLE,
  r_obs VARCHAR(1000))
  SQL SECURITY INVOKER
BEGIN
  INSERT INTO rastro (data, hora, operador, operacao, rotina, historico, favorecido, valor, obs)
  VALUES (COALESCE(fn_data(r_data), CURDATE()),
          LEFT(COALESCE(r_hora, DATE_FORMAT(NOW(), '%H:%i:%s')), 10),
          LEFT(COALESCE(r_operador, ''), 20),
          LEFT(COALESCE(r_operacao, ''), 1),
          LEFT(COALESCE(r_rotina, ''), 15),
          LEFT(COALESCE(r_historico, ''), 70),
          r_favorecido, r_valor, LEFT(r_obs, 70));
END$$

-- ---------------------------------------------------------------------------------------------
-- Commission statement lines
-- ---------------------------------------------------------------------------------------------

-- One line of the statement being read. The printed key and name are cut to their columns: a
-- key longer than 20 characters cannot match any proposal or contract anyway.
CREATE OR REPLACE PROCEDURE sp_i_retorno(
  r_data_baixa VARCHAR(30), r_valor_base DOUBLE, r_valor_doc DOUBLE, r_vlrcomissionado DOUBLE,
  r_data_pgto VARCHAR(30), r_apolice VARCHAR(255), r_parcela INT, r_nome VARCHAR(255),
  r_obs VARCHAR(30))
  SQL SECURITY INVOKER
BEGIN
  INSERT INTO retorno (data_baixa, valor_base, valor_doc, vlrcomissionado, data_pgto, apolice,
                       parcela, nome, obs)
  VALUES (fn_data(r_data_baixa), r_valor_base, r_valor_doc, r_vlrcomissionado, fn_data(r_data_pgto),
          LEFT(TRIM(r_apolice), 20), r_parcela, LEFT(r_nome, 50), r_obs);
END$$

-- The outcome of a statement line.
CREATE OR REPLACE PROCEDURE sp_a_retorno(r_codigo INT, r_obs VARCHAR(30))
  SQL SECURITY INVOKER
BEGIN
  UPDATE retorno SET obs = r_obs WHERE codigo = r_codigo;
END$$

-- ---------------------------------------------------------------------------------------------
-- Producer account ledger
-- ---------------------------------------------------------------------------------------------

-- A new ledger entry. Whether a credit already exists for the sale and installment is decided
-- by the caller (supervisor credits share the sale and installment of the producer's credit).
CREATE OR REPLACE PROCEDURE sp_i_conta_produtor(
  c_producao INT, c_data VARCHAR(30), c_parcelas INT, c_segurado INT, c_seguradora INT,
  c_corretora INT, c_vendedor INT, c_repasse INT, c_comissao DOUBLE, c_premio DOUBLE,
  c_debito DOUBLE, c_credito DOUBLE, c_taxa DOUBLE, c_desconto DOUBLE, c_historico VARCHAR(50),
  c_apolice VARCHAR(15), c_proposta VARCHAR(15), c_docorigem VARCHAR(50))
  SQL SECURITY INVOKER
BEGIN
  INSERT INTO conta_produtor (producao, data, parcelas, segurado, seguradora, corretora, vendedor,
                              repasse, comissao, premio, debito, credito, taxa, desconto, historico,
                              apolice, proposta, docorigem)
  VALUES (c_producao, fn_data(c_data), c_parcelas, c_segurado, c_seguradora, c_corretora, c_vendedor,
          c_repasse, c_comissao, c_premio, c_debito, c_credito, c_taxa, c_desconto, c_historico,
          c_apolice, c_proposta, c_docorigem);
END$$

-- The running balance cached on an entry by the balance routine.
CREATE OR REPLACE PROCEDURE sp_a_conta_produtor_saldo(c_codigo INT, c_saldo DOUBLE)
  SQL SECURITY INVOKER
BEGIN
  UPDATE conta_produtor SET saldo = c_saldo WHERE codigo = c_codigo;
END$$

-- A corrected commission percentage and credit of an entry.
CREATE OR REPLACE PROCEDURE sp_a_conta_produtor_com_cred(c_codigo INT, c_comissao DOUBLE, c_credito DOUBLE)
  SQL SECURITY INVOKER
BEGIN
  UPDATE conta_produtor SET comissao = c_comissao, credito = c_credito WHERE codigo = c_codigo;
END$$

-- ---------------------------------------------------------------------------------------------
-- Documents to receive
-- ---------------------------------------------------------------------------------------------

-- A new document; with a payment date it is stored already settled.
CREATE OR REPLACE PROCEDURE sp_i_docreceber(
  d_cliente INT, d_tipo VARCHAR(2), d_doc VARCHAR(20), d_emissao VARCHAR(30), d_vencto VARCHAR(30),
  d_valor DOUBLE, d_liquido DOUBLE, d_nf VARCHAR(20), d_conta VARCHAR(5), d_valorpago DOUBLE,
  d_pgto VARCHAR(30), d_parc INT, d_docorigem VARCHAR(50), d_producao INT)
  SQL SECURITY INVOKER
BEGIN
  INSERT INTO docreceber (cliente, tipo, doc, emissao, vencto, valor, liquido, nf, conta, valorpago,
                          pgto, parc, docorigem, producao)
  VALUES (d_cliente, COALESCE(NULLIF(TRIM(d_tipo), ''), 'OU'), d_doc, fn_data(d_emissao),
          fn_data(d_vencto), d_valor, d_liquido, d_nf, d_conta, d_valorpago, fn_data(d_pgto), d_parc,
          d_docorigem, d_producao);
END$$

-- Settles a document. A settlement without a payment date would leave the document open while
-- reporting it paid, so it is refused.
CREATE OR REPLACE PROCEDURE sp_a_bxdocreceber(
  d_cod INT, d_conta VARCHAR(5), d_pgto VARCHAR(30), d_valorpago DOUBLE, d_liquido DOUBLE,
  d_docorigem VARCHAR(50))
  SQL SECURITY INVOKER
BEGIN
  DECLARE v_pgto DATE DEFAULT fn_data(d_pgto);
  IF v_pgto IS NULL THEN
    SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Data de pagamento deve ser informada para baixar o documento.';
  END IF;
  UPDATE docreceber
     SET conta = d_conta, pgto = v_pgto, valorpago = d_valorpago, liquido = d_liquido,
         docorigem = d_docorigem
   WHERE cod = d_cod;
END$$

-- Deletes one document.
CREATE OR REPLACE PROCEDURE sp_d_docsreceber(d_cod INT)
  SQL SECURITY INVOKER
BEGIN
  DELETE FROM docreceber WHERE cod = d_cod;
END$$

-- Deletes an installment of a sale, open or settled, so that a statement settling it by
-- replacement can be read again without leaving two copies.
CREATE OR REPLACE PROCEDURE sp_d_docsreceberprod(d_producao INT, d_parc INT)
  SQL SECURITY INVOKER
BEGIN
  DELETE FROM docreceber WHERE producao = d_producao AND parc = d_parc;
END$$

-- Deletes every document of a debtor (called with 0 for documents left without a debtor).
CREATE OR REPLACE PROCEDURE sp_d_docscliente0(d_cliente INT)
  SQL SECURITY INVOKER
BEGIN
  DELETE FROM docreceber WHERE cliente = d_cliente;
END$$

-- The installments of a sale take its proposal number as their document number.
CREATE OR REPLACE PROCEDURE sp_a_docreceberprop(d_producao INT, d_doc VARCHAR(20))
  SQL SECURITY INVOKER
BEGIN
  UPDATE docreceber SET doc = d_doc WHERE producao = d_producao;
END$$

-- ---------------------------------------------------------------------------------------------
-- Sales
-- ---------------------------------------------------------------------------------------------

-- A proposal number identifies one sale of an insurer: the screens read a new sale back by it,
-- so a second sale with the same pair is refused. A sale may keep a pair that older data
-- already repeats, as long as the change does not move it onto another sale's pair.
-- s_codigo is NULL for a new sale.
CREATE OR REPLACE PROCEDURE verifica_proposta_livre(s_codigo INT, s_proposta VARCHAR(15), s_seguradora INT)
  SQL SECURITY INVOKER
BEGIN
  IF EXISTS (SELECT 1 FROM seguros
              WHERE proposta = s_proposta AND seguradora = s_seguradora
                AND (s_codigo IS NULL OR codigo <> s_codigo))
     AND NOT EXISTS (SELECT 1 FROM seguros
                      WHERE codigo = s_codigo AND proposta = s_proposta AND seguradora = s_seguradora) THEN
    SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Proposta já cadastrada para esta seguradora!';
  END IF;
END$$

-- New Individual ("02") or Adesão ("05") sale.
CREATE OR REPLACE PROCEDURE sp_i_seguros(
  s_operador VARCHAR(30), s_data_operacao VARCHAR(30), s_produto INT, s_proposta VARCHAR(15),
  s_producao VARCHAR(30), s_efetivacao VARCHAR(30), s_seguradora INT, s_vendedor INT,
  s_status_prop INT, s_vlrcomissionado DOUBLE, s_segurado INT, s_com1 DOUBLE, s_com2 DOUBLE,
  s_com3 DOUBLE, s_com4 DOUBLE, s_com5 DOUBLE, s_com6 DOUBLE, s_desccom DOUBLE, s_produtor INT,
  s_vidas INT, s_adm_super INT, s_tipo CHAR(2), s_contrato VARCHAR(15), s_administradora INT)
  SQL SECURITY INVOKER
BEGIN
  CALL verifica_proposta_livre(NULL, s_proposta, s_seguradora);
  INSERT INTO seguros (operador, data_operacao, produto, proposta, producao, efetivacao, seguradora,
                       vendedor, status_prop, vlrcomissionado, segurado, com1, com2, com3, com4, com5,
                       com6, desccom, produtor, vidas, adm_super, tipo, contrato, administradora)
  VALUES (s_operador, fn_data(s_data_operacao), s_produto, s_proposta, fn_data(s_producao),
          fn_data(s_efetivacao), s_seguradora, s_vendedor, s_status_prop, s_vlrcomissionado, s_segurado,
          s_com1, s_com2, s_com3, s_com4, s_com5, s_com6, s_desccom, s_produtor, s_vidas, s_adm_super,
          s_tipo, s_contrato, s_administradora);
END$$

-- Change of an Individual or Adesão sale; line of business, com2..com6 and desccom stay.
CREATE OR REPLACE PROCEDURE sp_a_seguros(
  s_codigo INT, s_produto INT, s_proposta VARCHAR(15), s_seguradora INT, s_vendedor INT,
  s_status_prop INT, s_vlrcomissionado DOUBLE, s_producao VARCHAR(30), s_efetivacao VARCHAR(30),
  s_produtor INT, s_vidas INT, s_adm_super INT, s_contrato VARCHAR(15), s_com1 DOUBLE,
  s_administradora INT)
  SQL SECURITY INVOKER
BEGIN
  CALL verifica_proposta_livre(s_codigo, s_proposta, s_seguradora);
  UPDATE seguros
     SET produto = s_produto, proposta = s_proposta, seguradora = s_seguradora,
         vendedor = s_vendedor, status_prop = s_status_prop, vlrcomissionado = s_vlrcomissionado,
         producao = fn_data(s_producao), efetivacao = fn_data(s_efetivacao), produtor = s_produtor,
         vidas = s_vidas, adm_super = s_adm_super, contrato = s_contrato, com1 = s_com1,
         administradora = s_administradora
   WHERE codigo = s_codigo;
END$$

-- New company (PME) sale.
CREATE OR REPLACE PROCEDURE sp_i_segurospme(
  s_tipo CHAR(2), s_operador VARCHAR(30), s_data_operacao VARCHAR(30), s_produto INT,
  s_proposta VARCHAR(15), s_producao VARCHAR(30), s_seguradora INT, s_vendedor INT,
  s_status_prop INT, s_ntitular CHAR(1), s_tipoSPG CHAR(1), s_v18 INT, s_v23 INT,
  s_vlrcomissionado DOUBLE, s_segurado INT, s_vencto1a VARCHAR(30), s_valor1a DOUBLE,
  s_vlrparcelas DOUBLE, s_empresa INT, s_produtor INT, s_adm_super INT, s_contrato VARCHAR(15),
  s_contratoii VARCHAR(15), s_efetivacao VARCHAR(30), s_acomodacao CHAR(1), s_reembolso INT,
  s_tipoAdesao CHAR(1), s_administradora INT, s_com1 DOUBLE, s_com2 DOUBLE, s_com3 DOUBLE,
  s_com4 DOUBLE, s_com5 DOUBLE, s_com6 DOUBLE, s_pagarvital INT)
  SQL SECURITY INVOKER
BEGIN
  CALL verifica_proposta_livre(NULL, s_proposta, s_seguradora);
  INSERT INTO seguros (tipo, operador, data_operacao, produto, proposta, producao, seguradora, vendedor,
                       status_prop, ntitular, tipoSPG, v18, v23, vlrcomissionado, segurado, vencto1a,
                       valor1a, vlrparcelas, empresa, produtor, adm_super, contrato, contratoii,
                       efetivacao, acomodacao, reembolso, tipoAdesao, administradora, com1, com2, com3,
                       com4, com5, com6, pagarvital)
  VALUES (s_tipo, s_operador, fn_data(s_data_operacao), s_produto, s_proposta, fn_data(s_producao),
          s_seguradora, s_vendedor, s_status_prop, s_ntitular, s_tipoSPG, s_v18, s_v23,
          s_vlrcomissionado, s_segurado, fn_data(s_vencto1a), s_valor1a, s_vlrparcelas, s_empresa,
          s_produtor, s_adm_super, s_contrato, s_contratoii, fn_data(s_efetivacao), s_acomodacao,
          s_reembolso, s_tipoAdesao, s_administradora, s_com1, s_com2, s_com3, s_com4, s_com5, s_com6,
          s_pagarvital);
END$$

-- Change of a company sale; its commission percentages stay.
CREATE OR REPLACE PROCEDURE sp_a_segurospme(
  s_codigo INT, s_produto INT, s_proposta VARCHAR(15), s_contrato VARCHAR(15), s_seguradora INT,
  s_vendedor INT, s_status_prop INT, s_ntitular CHAR(1), s_tipoSPG CHAR(1), s_v18 INT, s_v23 INT,
  s_vlrcomissionado DOUBLE, s_producao VARCHAR(30), s_efetivacao VARCHAR(30), s_vencto1a VARCHAR(30),
  s_valor1a DOUBLE, s_pgto1a VARCHAR(30), s_vlrparcelas DOUBLE, s_empresa INT, s_produtor INT,
  s_adm_super INT, s_contratoii VARCHAR(15), s_acomodacao CHAR(1), s_reembolso INT,
  s_tipoAdesao CHAR(1), s_administradora INT, s_pagarvital INT)
  SQL SECURITY INVOKER
BEGIN
  CALL verifica_proposta_livre(s_codigo, s_proposta, s_seguradora);
  UPDATE seguros
     SET produto = s_produto, proposta = s_proposta, contrato = s_contrato, seguradora = s_seguradora,
         vendedor = s_vendedor, status_prop = s_status_prop, ntitular = s_ntitular,
         tipoSPG = s_tipoSPG, v18 = s_v18, v23 = s_v23, vlrcomissionado = s_vlrcomissionado,
         producao = fn_data(s_producao), efetivacao = fn_data(s_efetivacao),
         vencto1a = fn_data(s_vencto1a), valor1a = s_valor1a, pgto1a = fn_data(s_pgto1a),
         vlrparcelas = s_vlrparcelas, empresa = s_empresa, produtor = s_produtor,
         adm_super = s_adm_super, contratoii = s_contratoii, acomodacao = s_acomodacao,
         reembolso = s_reembolso, tipoAdesao = s_tipoAdesao, administradora = s_administradora,
         pagarvital = s_pagarvital
   WHERE codigo = s_codigo;
END$$

-- New Auto, RE, Consórcio or Vidas sale.
CREATE OR REPLACE PROCEDURE sp_i_segurosAuto(
  s_tipo CHAR(2), s_operador VARCHAR(30), s_data_operacao VARCHAR(30), s_produto INT,
  s_proposta VARCHAR(15), s_producao VARCHAR(30), s_seguradora INT, s_vendedor INT,
  s_status_prop INT, s_vlrcomissionado DOUBLE, s_segurado INT, s_comA DOUBLE, s_descA DOUBLE,
  s_parcA INT, s_veiculo VARCHAR(50), s_vencto1a VARCHAR(30), s_vlrparcelas DOUBLE,
  s_formapgtoA CHAR(2), s_Autosn CHAR(1), s_Autorn CHAR(1), s_Autoen CHAR(1), s_Autorea CHAR(1),
  s_endosso VARCHAR(30), s_efetivacao VARCHAR(30), s_canalV INT, s_origemV INT, s_redeA CHAR(1),
  s_mercadoA CHAR(1))
  SQL SECURITY INVOKER
BEGIN
  CALL verifica_proposta_livre(NULL, s_proposta, s_seguradora);
  INSERT INTO seguros (tipo, operador, data_operacao, produto, proposta, producao, seguradora, vendedor,
                       status_prop, vlrcomissionado, segurado, comA, descA, parcA, veiculo, vencto1a,
                       vlrparcelas, formapgtoA, Autosn, Autorn, Autoen, Autorea, endosso, efetivacao,
                       canalV, origemV, redeA, mercadoA)
  VALUES (s_tipo, s_operador, fn_data(s_data_operacao), s_produto, s_proposta, fn_data(s_producao),
          s_seguradora, s_vendedor, s_status_prop, s_vlrcomissionado, s_segurado, s_comA, s_descA,
          s_parcA, s_veiculo, fn_data(s_vencto1a), s_vlrparcelas, s_formapgtoA, s_Autosn, s_Autorn,
          s_Autoen, s_Autorea, s_endosso, fn_data(s_efetivacao), s_canalV, s_origemV, s_redeA,
          s_mercadoA);
END$$

-- Change of an Auto/RE sale. The policy number goes to apolice and to contrato, the two columns
-- the Auto/RE lists and the statement import read it from. The screen sends no branch: a
-- missing s_empresa keeps the stored one.
CREATE OR REPLACE PROCEDURE sp_a_segurosauto(
  s_codigo INT, s_veiculo VARCHAR(50), s_seguradora INT, s_vendedor INT, s_comA DOUBLE,
  s_descA DOUBLE, s_parcA INT, s_vlrcomissionado DOUBLE, s_formapgtoA CHAR(2),
  s_proposta VARCHAR(15), s_producao VARCHAR(30), s_vlrparcelas DOUBLE, s_vencto1a VARCHAR(30),
  s_pgto1a VARCHAR(30), s_status_prop INT, s_efetivacao VARCHAR(30), s_apolice VARCHAR(15),
  s_Autosn CHAR(1), s_Autorn CHAR(1), s_Autoen CHAR(1), s_Autorea CHAR(1), s_endosso VARCHAR(30),
  s_canalV INT, s_origemV INT, s_redeA CHAR(1), s_mercadoA CHAR(1), s_empresa INT,
  s_dtcancel VARCHAR(30), s_vlrestorno DOUBLE, s_segurado INT)
  SQL SECURITY INVOKER
BEGIN
  CALL verifica_proposta_livre(s_codigo, s_proposta, s_seguradora);
  UPDATE seguros
     SET veiculo = s_veiculo, seguradora = s_seguradora, vendedor = s_vendedor, comA = s_comA,
         descA = s_descA, parcA = s_parcA, vlrcomissionado = s_vlrcomissionado,
         formapgtoA = s_formapgtoA, proposta = s_proposta, producao = fn_data(s_producao),
         vlrparcelas = s_vlrparcelas, vencto1a = fn_data(s_vencto1a), pgto1a = fn_data(s_pgto1a),
         status_prop = s_status_prop, efetivacao = fn_data(s_efetivacao), apolice = s_apolice,
         contrato = s_apolice, Autosn = s_Autosn, Autorn = s_Autorn, Autoen = s_Autoen,
         Autorea = s_Autorea, endosso = s_endosso, canalV = s_canalV, origemV = s_origemV,
         redeA = s_redeA, mercadoA = s_mercadoA, empresa = COALESCE(s_empresa, empresa),
         dtcancel = fn_data(s_dtcancel), vlrestorno = s_vlrestorno, segurado = s_segurado
   WHERE codigo = s_codigo;
END$$

-- The producer's commission percentages of installments 1 to 6 of a sale.
CREATE OR REPLACE PROCEDURE sp_a_seguroscom(
  s_codigo INT, s_com1 DOUBLE, s_com2 DOUBLE, s_com3 DOUBLE, s_com4 DOUBLE, s_com5 DOUBLE,
  s_com6 DOUBLE)
  SQL SECURITY INVOKER
BEGIN
  UPDATE seguros
     SET com1 = s_com1, com2 = s_com2, com3 = s_com3, com4 = s_com4, com5 = s_com5, com6 = s_com6
   WHERE codigo = s_codigo;
END$$

-- ---------------------------------------------------------------------------------------------
-- Insured parties. A person or company is one row, found by cnpj_cpf: an insert for a number
-- already registered changes that row instead of adding a second one. A dependent without CPF
-- is found by name and mother's name.
-- ---------------------------------------------------------------------------------------------

-- A change by cnpj_cpf needs the number: without one it would rewrite every party that has none.
CREATE OR REPLACE PROCEDURE verifica_cnpj_cpf(s_cnpj_cpf VARCHAR(14))
  SQL SECURITY INVOKER
BEGIN
  IF TRIM(COALESCE(s_cnpj_cpf, '')) = '' THEN
    SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'CNPJ/CPF do segurado deve ser informado.';
  END IF;
END$$

-- Whether a party with this CNPJ/CPF is registered (a blank number never is).
CREATE OR REPLACE FUNCTION fn_segurado_cadastrado(s_cnpj_cpf VARCHAR(14)) RETURNS BOOLEAN
  READS SQL DATA SQL SECURITY INVOKER
BEGIN
  RETURN TRIM(COALESCE(s_cnpj_cpf, '')) <> ''
         AND EXISTS (SELECT 1 FROM seguros_clientes WHERE cnpj_cpf = s_cnpj_cpf);
END$$

-- Change of a PME company, by its CNPJ.
CREATE OR REPLACE PROCEDURE sp_a_segurados(
  s_cnpj_cpf VARCHAR(14), s_nome VARCHAR(70), s_fantasia VARCHAR(40), s_endereco VARCHAR(70),
  s_bairro VARCHAR(30), s_cep VARCHAR(8), s_cidade VARCHAR(40), s_estado CHAR(2),
  s_email VARCHAR(40), s_home VARCHAR(40), s_fone1 VARCHAR(11), s_fone2 VARCHAR(11),
  s_fone3 VARCHAR(11), s_contato VARCHAR(30))
  SQL SECURITY INVOKER
BEGIN
  CALL verifica_cnpj_cpf(s_cnpj_cpf);
  UPDATE seguros_clientes
     SET nome = s_nome, fantasia = s_fantasia, endereco = s_endereco, bairro = s_bairro, cep = s_cep,
         cidade = s_cidade, estado = s_estado, email = s_email, home = s_home, fone1 = s_fone1,
         fone2 = s_fone2, fone3 = s_fone3, contato = s_contato
   WHERE cnpj_cpf = s_cnpj_cpf;
END$$

-- New PME company.
CREATE OR REPLACE PROCEDURE sp_i_segurados(
  s_cnpj_cpf VARCHAR(14), s_nome VARCHAR(70), s_fantasia VARCHAR(40), s_endereco VARCHAR(70),
  s_bairro VARCHAR(30), s_cep VARCHAR(8), s_cidade VARCHAR(40), s_estado CHAR(2),
  s_email VARCHAR(40), s_home VARCHAR(40), s_fone1 VARCHAR(11), s_fone2 VARCHAR(11),
  s_fone3 VARCHAR(11), s_contato VARCHAR(30))
  SQL SECURITY INVOKER
BEGIN
  IF fn_segurado_cadastrado(s_cnpj_cpf) THEN
    CALL sp_a_segurados(s_cnpj_cpf, s_nome, s_fantasia, s_endereco, s_bairro, s_cep, s_cidade,
                        s_estado, s_email, s_home, s_fone1, s_fone2, s_fone3, s_contato);
  ELSE
    INSERT INTO seguros_clientes (cnpj_cpf, nome, fantasia, endereco, bairro, cep, cidade, estado,
                                  email, home, fone1, fone2, fone3, contato)
    VALUES (s_cnpj_cpf, s_nome, s_fantasia, s_endereco, s_bairro, s_cep, s_cidade, s_estado,
            s_email, s_home, s_fone1, s_fone2, s_fone3, s_contato);
  END IF;
END$$

-- Change of an Individual or Adesão insured, by CPF.
CREATE OR REPLACE PROCEDURE sp_a_seguradosind(
  s_cnpj_cpf VARCHAR(14), s_nome VARCHAR(70), s_dtnasc VARCHAR(30), s_endereco VARCHAR(70),
  s_bairro VARCHAR(30), s_cep VARCHAR(8), s_cidade VARCHAR(40), s_estado CHAR(2),
  s_email VARCHAR(40), s_fone1 VARCHAR(11), s_fone2 VARCHAR(11), s_mae VARCHAR(50),
  s_profissao INT, s_entidade INT)
  SQL SECURITY INVOKER
BEGIN
  CALL verifica_cnpj_cpf(s_cnpj_cpf);
  UPDATE seguros_clientes
     SET nome = s_nome, dtnasc = fn_data(s_dtnasc), endereco = s_endereco, bairro = s_bairro,
         cep = s_cep, cidade = s_cidade, estado = s_estado, email = s_email, fone1 = s_fone1,
         fone2 = s_fone2, mae = s_mae, profissao = s_profissao, entidade = s_entidade
   WHERE cnpj_cpf = s_cnpj_cpf;
END$$

-- New Individual or Adesão insured.
CREATE OR REPLACE PROCEDURE sp_i_seguradosind(
  s_cnpj_cpf VARCHAR(14), s_nome VARCHAR(70), s_dtnasc VARCHAR(30), s_endereco VARCHAR(70),
  s_bairro VARCHAR(30), s_cep VARCHAR(8), s_cidade VARCHAR(40), s_estado CHAR(2),
  s_email VARCHAR(40), s_fone1 VARCHAR(11), s_fone2 VARCHAR(11), s_mae VARCHAR(50),
  s_profissao INT, s_entidade INT)
  SQL SECURITY INVOKER
BEGIN
  IF fn_segurado_cadastrado(s_cnpj_cpf) THEN
    CALL sp_a_seguradosind(s_cnpj_cpf, s_nome, s_dtnasc, s_endereco, s_bairro, s_cep, s_cidade,
                           s_estado, s_email, s_fone1, s_fone2, s_mae, s_profissao, s_entidade);
  ELSE
    INSERT INTO seguros_clientes (cnpj_cpf, nome, dtnasc, endereco, bairro, cep, cidade, estado,
                                  email, fone1, fone2, mae, profissao, entidade)
    VALUES (s_cnpj_cpf, s_nome, fn_data(s_dtnasc), s_endereco, s_bairro, s_cep, s_cidade, s_estado,
            s_email, s_fone1, s_fone2, s_mae, s_profissao, s_entidade);
  END IF;
END$$

-- Change of an Auto/RE insured, by CNPJ/CPF.
CREATE OR REPLACE PROCEDURE sp_a_seguradosauto(
  s_cnpj_cpf VARCHAR(14), s_nome VARCHAR(70), s_dtnasc VARCHAR(30), s_endereco VARCHAR(70),
  s_bairro VARCHAR(30), s_cep VARCHAR(8), s_cidade VARCHAR(40), s_estado CHAR(2),
  s_email VARCHAR(40), s_fone1 VARCHAR(11), s_fone2 VARCHAR(11), s_fone3 VARCHAR(11),
  s_sexo CHAR(1), s_rg VARCHAR(15), s_emissaorg VARCHAR(30), s_orgaorg VARCHAR(10))
  SQL SECURITY INVOKER
BEGIN
  CALL verifica_cnpj_cpf(s_cnpj_cpf);
  UPDATE seguros_clientes
     SET nome = s_nome, dtnasc = fn_data(s_dtnasc), endereco = s_endereco, bairro = s_bairro,
         cep = s_cep, cidade = s_cidade, estado = s_estado, email = s_email, fone1 = s_fone1,
         fone2 = s_fone2, fone3 = s_fone3, sexo = s_sexo, rg = s_rg, emissaorg = fn_data(s_emissaorg),
         orgaorg = s_orgaorg
   WHERE cnpj_cpf = s_cnpj_cpf;
END$$

-- New Auto/RE insured.
CREATE OR REPLACE PROCEDURE sp_i_seguradosauto(
  s_cnpj_cpf VARCHAR(14), s_nome VARCHAR(70), s_dtnasc VARCHAR(30), s_endereco VARCHAR(70),
  s_bairro VARCHAR(30), s_cep VARCHAR(8), s_cidade VARCHAR(40), s_estado CHAR(2),
  s_email VARCHAR(40), s_fone1 VARCHAR(11), s_fone2 VARCHAR(11), s_fone3 VARCHAR(11),
  s_sexo CHAR(1), s_rg VARCHAR(15), s_emissaorg VARCHAR(30), s_orgaorg VARCHAR(10))
  SQL SECURITY INVOKER
BEGIN
  IF fn_segurado_cadastrado(s_cnpj_cpf) THEN
    CALL sp_a_seguradosauto(s_cnpj_cpf, s_nome, s_dtnasc, s_endereco, s_bairro, s_cep, s_cidade,
                            s_estado, s_email, s_fone1, s_fone2, s_fone3, s_sexo, s_rg, s_emissaorg,
                            s_orgaorg);
  ELSE
    INSERT INTO seguros_clientes (cnpj_cpf, nome, dtnasc, endereco, bairro, cep, cidade, estado,
                                  email, fone1, fone2, fone3, sexo, rg, emissaorg, orgaorg)
    VALUES (s_cnpj_cpf, s_nome, fn_data(s_dtnasc), s_endereco, s_bairro, s_cep, s_cidade, s_estado,
            s_email, s_fone1, s_fone2, s_fone3, s_sexo, s_rg, fn_data(s_emissaorg), s_orgaorg);
  END IF;
END$$

-- Change of a PME holder, by its code.
CREATE OR REPLACE PROCEDURE sp_a_titulares(
  s_codigo INT, s_cnpj_cpf VARCHAR(14), s_nome VARCHAR(70), s_endereco VARCHAR(70),
  s_bairro VARCHAR(30), s_cep VARCHAR(8), s_cidade VARCHAR(40), s_estado CHAR(2),
  s_email VARCHAR(40), s_sexo CHAR(1), s_dtnasc VARCHAR(30), s_nacionalidade VARCHAR(4),
  s_rg VARCHAR(15), s_emissaorg VARCHAR(30), s_orgaorg VARCHAR(10), s_EstCivil CHAR(1),
  s_profissao INT, s_Aposentado CHAR(1), s_TempoServico CHAR(1), s_Invalidez CHAR(1),
  s_mae VARCHAR(50), s_peso VARCHAR(5), s_altura VARCHAR(5))
  SQL SECURITY INVOKER
BEGIN
  UPDATE seguros_clientes
     SET cnpj_cpf = s_cnpj_cpf, nome = s_nome, endereco = s_endereco, bairro = s_bairro, cep = s_cep,
         cidade = s_cidade, estado = s_estado, email = s_email, sexo = s_sexo,
         dtnasc = fn_data(s_dtnasc), nacionalidade = s_nacionalidade, rg = s_rg,
         emissaorg = fn_data(s_emissaorg), orgaorg = s_orgaorg, EstCivil = s_EstCivil,
         profissao = s_profissao, Aposentado = s_Aposentado, TempoServico = s_TempoServico,
         Invalidez = s_Invalidez, mae = s_mae, peso = s_peso, altura = s_altura
   WHERE codigo = s_codigo;
END$$

-- New PME holder; a CPF already registered updates that party (its employee number stays).
CREATE OR REPLACE PROCEDURE sp_i_titulares(
  s_cnpj_cpf VARCHAR(14), s_nome VARCHAR(70), s_endereco VARCHAR(70), s_bairro VARCHAR(30),
  s_cep VARCHAR(8), s_cidade VARCHAR(40), s_estado CHAR(2), s_email VARCHAR(40), s_sexo CHAR(1),
  s_dtnasc VARCHAR(30), s_nacionalidade VARCHAR(4), s_rg VARCHAR(15), s_emissaorg VARCHAR(30),
  s_orgaorg VARCHAR(10), s_EstCivil CHAR(1), s_profissao INT, s_Aposentado CHAR(1),
  s_TempoServico CHAR(1), s_Invalidez CHAR(1), s_mae VARCHAR(50), s_peso VARCHAR(5),
  s_altura VARCHAR(5), s_matricula INT)
  SQL SECURITY INVOKER
BEGIN
  DECLARE v_codigo INT DEFAULT NULL;
  IF TRIM(COALESCE(s_cnpj_cpf, '')) <> '' THEN
    SELECT MIN(codigo) INTO v_codigo FROM seguros_clientes WHERE cnpj_cpf = s_cnpj_cpf;
  END IF;
  IF v_codigo IS NOT NULL THEN
    CALL sp_a_titulares(v_codigo, s_cnpj_cpf, s_nome, s_endereco, s_bairro, s_cep, s_cidade, s_estado,
                        s_email, s_sexo, s_dtnasc, s_nacionalidade, s_rg, s_emissaorg, s_orgaorg,
                        s_EstCivil, s_profissao, s_Aposentado, s_TempoServico, s_Invalidez, s_mae,
                        s_peso, s_altura);
  ELSE
    INSERT INTO seguros_clientes (cnpj_cpf, nome, endereco, bairro, cep, cidade, estado, email, sexo,
                                  dtnasc, nacionalidade, rg, emissaorg, orgaorg, EstCivil, profissao,
                                  Aposentado, TempoServico, Invalidez, mae, peso, altura, matricula)
    VALUES (s_cnpj_cpf, s_nome, s_endereco, s_bairro, s_cep, s_cidade, s_estado, s_email, s_sexo,
            fn_data(s_dtnasc), s_nacionalidade, s_rg, fn_data(s_emissaorg), s_orgaorg, s_EstCivil,
            s_profissao, s_Aposentado, s_TempoServico, s_Invalidez, s_mae, s_peso, s_altura,
            s_matricula);
  END IF;
END$$

-- Change of a dependent, by its code.
CREATE OR REPLACE PROCEDURE sp_a_terceiros(
  s_codigo INT, s_cnpj_cpf VARCHAR(14), s_nome VARCHAR(70), s_sexo CHAR(1), s_dtnasc VARCHAR(30),
  s_EstCivil CHAR(1), s_mae VARCHAR(50), s_peso VARCHAR(5), s_altura VARCHAR(5),
  s_parentesco VARCHAR(15))
  SQL SECURITY INVOKER
BEGIN
  UPDATE seguros_clientes
     SET cnpj_cpf = s_cnpj_cpf, nome = s_nome, sexo = s_sexo, dtnasc = fn_data(s_dtnasc),
         EstCivil = s_EstCivil, mae = s_mae, peso = s_peso, altura = s_altura,
         parentesco = s_parentesco
   WHERE codigo = s_codigo;
END$$

-- New dependent: found again by CPF when it has one, else by name and mother's name; two
-- dependents with the same name and mother are the same party.
CREATE OR REPLACE PROCEDURE sp_i_terceiros(
  s_cnpj_cpf VARCHAR(14), s_nome VARCHAR(70), s_sexo CHAR(1), s_dtnasc VARCHAR(30),
  s_EstCivil CHAR(1), s_mae VARCHAR(50), s_peso VARCHAR(5), s_altura VARCHAR(5),
  s_parentesco VARCHAR(15))
  SQL SECURITY INVOKER
BEGIN
  DECLARE v_codigo INT DEFAULT NULL;
  IF TRIM(COALESCE(s_cnpj_cpf, '')) <> '' THEN
    SELECT MIN(codigo) INTO v_codigo FROM seguros_clientes WHERE cnpj_cpf = s_cnpj_cpf;
  ELSE
    SELECT MIN(codigo) INTO v_codigo FROM seguros_clientes WHERE nome = s_nome AND mae = s_mae;
  END IF;
  IF v_codigo IS NOT NULL THEN
    CALL sp_a_terceiros(v_codigo, s_cnpj_cpf, s_nome, s_sexo, s_dtnasc, s_EstCivil, s_mae, s_peso,
                        s_altura, s_parentesco);
  ELSE
    INSERT INTO seguros_clientes (cnpj_cpf, nome, sexo, dtnasc, EstCivil, mae, peso, altura, parentesco)
    VALUES (s_cnpj_cpf, s_nome, s_sexo, fn_data(s_dtnasc), s_EstCivil, s_mae, s_peso, s_altura,
            s_parentesco);
  END IF;
END$$

-- Waiting-period answer and agreement of a dependent's link to a sale.
CREATE OR REPLACE PROCEDURE sp_a_seguros_idterceiros(
  s_seguro INT, s_favorecido INT, s_terceiro INT, s_carencia CHAR(1), s_convenio VARCHAR(20))
  SQL SECURITY INVOKER
BEGIN
  UPDATE seguros_idterceiros
     SET carencia = s_carencia, convenio = s_convenio
   WHERE seguro = s_seguro AND favorecido = s_favorecido AND terceiro = s_terceiro;
END$$

-- ---------------------------------------------------------------------------------------------
-- Seller commission tables
-- ---------------------------------------------------------------------------------------------

-- The commission row of a combination of insurer, producer, branch, product, line of business
-- and administrator. Generating again for the same combination replaces its percentages, so the
-- readers' "first row found" is always the one generated last.
CREATE OR REPLACE PROCEDURE sp_i_compersonalizado(
  s_produto INT, s_filial INT, s_seguradora INT, s_vendedor INT, s_com1 DOUBLE, s_com2 DOUBLE,
  s_com3 DOUBLE, s_com4 DOUBLE, s_com5 DOUBLE, s_com6 DOUBLE, s_tipo VARCHAR(2), s_adma INT)
  SQL SECURITY INVOKER
BEGIN
  IF EXISTS (SELECT 1 FROM com_prod_filial
              WHERE seguradora = s_seguradora AND vendedor = s_vendedor AND filial = s_filial
                AND produto = s_produto AND tipo <=> s_tipo AND adma <=> s_adma) THEN
    UPDATE com_prod_filial
       SET com1 = s_com1, com2 = s_com2, com3 = s_com3, com4 = s_com4, com5 = s_com5, com6 = s_com6
     WHERE seguradora = s_seguradora AND vendedor = s_vendedor AND filial = s_filial
       AND produto = s_produto AND tipo <=> s_tipo AND adma <=> s_adma;
  ELSE
    INSERT INTO com_prod_filial (seguradora, vendedor, filial, produto, tipo, adma, com1, com2, com3,
                                 com4, com5, com6)
    VALUES (s_seguradora, s_vendedor, s_filial, s_produto, s_tipo, s_adma, s_com1, s_com2, s_com3,
            s_com4, s_com5, s_com6);
  END IF;
END$$

DELIMITER ;
