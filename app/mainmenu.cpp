#include "app/mainmenu.h"

namespace {

using Kind = MenuEntry::Kind;
using Rule = AccessGate::Rule;

const QString kCadastro = QStringLiteral("Cadastro");
const QString kProducao = QStringLiteral("Produção");
const QString kMovimentacao = QStringLiteral("Movimentação");
const QString kFinanceiro = QStringLiteral("Financeiro");
const QString kFerramentas = QStringLiteral("Ferramentas");
const QString kIndividual = QStringLiteral("Individual/Adesão");
const QString kPme = QStringLiteral("PME");
const QString kAuto = QStringLiteral("AUTO/RE/Consorcio/Vidas");
const QString kRelatorios = QStringLiteral("Relatórios");

MenuEntry screen(QStringList menus, const char *caption, const char *right, const char *cls,
                 const char *title = nullptr) {
  MenuEntry e;
  e.menus = std::move(menus);
  e.caption = QString::fromUtf8(caption);
  e.right = QString::fromLatin1(right);
  // The commission and producer-account entries are for full rights only.
  e.rule = e.right == QLatin1String("movimentacao") ? Rule::ExactlyFive : Rule::NotZero;
  e.screen = QString::fromLatin1(cls);
  if (title) e.title = QString::fromUtf8(title);
  return e;
}

MenuEntry open(QStringList menus, const char *caption, const char *cls) {
  MenuEntry e;
  e.menus = std::move(menus);
  e.caption = QString::fromUtf8(caption);
  e.screen = QString::fromLatin1(cls);
  return e;
}

MenuEntry command(QStringList menus, const char *caption, Kind kind) {
  MenuEntry e;
  e.menus = std::move(menus);
  e.caption = QString::fromUtf8(caption);
  e.kind = kind;
  return e;
}

MenuEntry separator(QStringList menus) {
  MenuEntry e;
  e.menus = std::move(menus);
  e.kind = Kind::Separator;
  return e;
}

QList<MenuEntry> buildMenu() {
  const QStringList cad{kCadastro}, prod{kProducao}, ind{kProducao, kIndividual}, pme{kProducao, kPme},
      aut{kProducao, kAuto}, mov{kMovimentacao}, movRel{kMovimentacao, kRelatorios}, fin{kFinanceiro},
      finRel{kFinanceiro, kRelatorios}, fer{kFerramentas};
  return {
      screen(cad, "Administradoras", "cadastro", "TFrmAdministradoras"),
      screen(cad, "Clientes/Seguradoras", "tabelas", "TFrmClientes"),
      screen(cad, "Entidades", "cadastro", "TFrmEntidades"),
      screen(cad, "Produtores/Vendedores", "tabelas", "TFrmCadFornecedores", "Cadastro de Produtores/Vendedores"),
      screen(cad, "Produtos", "tabelas", "TFrmProdutos"),
      screen(cad, "Profissões", "cadastro", "TFrmProfissoes"),
      screen(cad, "Regiões", "cadastro", "TFrmRegioes"),
      screen(cad, "Status Propostas", "tabelas", "TFrmStatusProp"),
      separator(cad),
      screen(cad, "Usuários", "usuarios", "TFrmCadUsuarios"),
      screen(cad, "Parâmetros", "parametros", "TFrmParametros"),

      screen(ind, "Cadastro", "individual", "TFrmPlanoSaudeInd"),
      screen(ind, "Relatório", "individual", "TFrmPlanoSaudeIndRel"),
      screen(ind, "Curva ABC", "individual", "TFrmCurvaABCInd"),
      screen(pme, "Cadastro", "individual", "TFrmPlanoSaudeEmp"),
      screen(pme, "Relatório", "individual", "TFrmPlanoSaudeEmpRel"),
      screen(pme, "Curva ABC", "individual", "TFrmCurvaABCPME"),
      separator(pme),
      screen(pme, "Importar", "individual", "TFrmPlanoSaudeEmpImp"),
      screen(aut, "Cadastro", "individual", "TFrmProducao"),
      screen(aut, "Clientes Seguro Auto", "individual", "TFrmClientesAuto"),
      separator(aut),
      screen(aut, "Relatório de Produção Auto/RE/Consórcio/Vidas", "individual", "TFrmSegurosAutoRel"),
      screen(aut, "Relatório de Comissão Auto/RE/Consórcio/Vidas", "individual", "TFrmComissaoAutoRE"),
      screen(aut, "Relatório - Curva ABC Auto/RE/Consórcio/Vidas", "individual", "TFrmCurvaABCAuto"),
      separator(prod),
      screen(prod, "Consultar Segurado/Terceiro", "producao", "TFrmConsSegurado"),
      separator(prod),
      screen(prod, "Metas", "producao", "TfrmMetas"),

      screen(mov, "Conta do Vendedor", "movimentacao", "TFrmContaVendedor"),
      separator(mov),
      screen(mov, "Alterar Comissões", "movimentacao", "TFrmAlterarComissoes"),
      screen(mov, "Baixar Extrato de Comissões", "movimentacao", "TFrmBaixarParcAut"),
      screen(mov, "Baixar/Antecipar Parcela Manualmente", "movimentacao", "TFrmBaixarParcManual"),
      screen(mov, "Comissão de Seguradora/Corretora", "movimentacao", "TFrmComSeguradoraCorretora"),
      screen(mov, "Comissionamento Personalizado", "movimentacao", "TFrmComPersonal"),
      separator(mov),
      screen(movRel, "Pagamento Vendedores", "movimentacao", "TFrmPgtoVendedores"),

      screen(fin, "Documentos a Receber", "financeiro", "TFrmReceber"),
      screen(fin, "Documentos a Pagar", "financeiro", "TFrmPagar"),
      screen(fin, "Fluxo de Caixa", "financeiro", "TFrmFinanceiro"),
      screen(fin, "Fornecedores", "financeiro", "TFrmCadFornecedores", "Cadastro de Fornecedores"),
      screen(fin, "Plano de Contas", "financeiro", "TFrmPlanoContas"),
      screen(fin, "Contas Corrente", "financeiro", "TFrmContasCorrentes"),
      // The cost-centre entry opens the bank-account screen as well.
      screen(fin, "Centro de Custo", "financeiro", "TFrmContasCorrentes"),
      separator(fin),
      screen(finRel, "Resumo Financeiro", "financeiro", "TFrmResumoGerenciais"),

      command(fer, "Agenda", Kind::NoAction),
      open(fer, "Alterar Senha", "TFrmAlterarSenha"),
      open(fer, "Auditoria", "TFrmRastro"),
      separator(fer),
      command(fer, "Conectar BD", Kind::Reconnect),
      command(fer, "Finalizar Excel", Kind::EndSpreadsheets),

      command({}, "Sair", Kind::Quit),
  };
}

}  // namespace

QString MenuEntry::path() const {
  QStringList parts = menus;
  parts << caption;
  return parts.join(QStringLiteral(" > "));
}

const QList<MenuEntry> &mainMenu() {
  static const QList<MenuEntry> entries = buildMenu();
  return entries;
}

const QList<ToolButtonEntry> &mainToolButtons() {
  static const QList<ToolButtonEntry> buttons{
      {QStringLiteral("tbvendedores"), QStringLiteral("Vendedores"),
       QStringLiteral("Cadastro de Vendedores/Produtores"), QStringLiteral("Cadastro > Produtores/Vendedores")},
      {QStringLiteral("tbpme"), QStringLiteral("P.M.E."), QStringLiteral("Plano de Saúde Empresarial"),
       QStringLiteral("Produção > PME > Cadastro")},
      {QStringLiteral("tbadesao"), QStringLiteral("Adesão"), QStringLiteral("Plano de Saúde Individual/Adesão"),
       QStringLiteral("Produção > Individual/Adesão > Cadastro")},
      {QStringLiteral("tbbaixarextrato"), QStringLiteral("Baixar Extrato de Comissões"),
       QStringLiteral("Baixar Extrato de Comissões"), QStringLiteral("Movimentação > Baixar Extrato de Comissões")},
      {QStringLiteral("tbcontavendedor"), QStringLiteral("Conta do Vendedor"), QStringLiteral("Conta do Vendedor"),
       QStringLiteral("Movimentação > Conta do Vendedor")},
      {QStringLiteral("tbpgtovendedores"), QStringLiteral("Pagamento Vendedores"),
       QStringLiteral("Pagamento Vendedores"), QStringLiteral("Movimentação > Relatórios > Pagamento Vendedores")},
      {QStringLiteral("tbdocreceber"), QStringLiteral("Doc Receber"), QStringLiteral("Documentos a Receber"),
       QStringLiteral("Financeiro > Documentos a Receber")},
      {QStringLiteral("tbdocpagar"), QStringLiteral("Doc Pagar"), QStringLiteral("Documentos a Pagar"),
       QStringLiteral("Financeiro > Documentos a Pagar")},
      {QStringLiteral("tbsair"), QStringLiteral("Sair"), QStringLiteral("Sair do sistema"), QStringLiteral("Sair")},
  };
  return buttons;
}
