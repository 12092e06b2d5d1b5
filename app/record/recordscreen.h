#pragma once

#include <QDialog>
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/audit.h"
#include "app/messages.h"
#include "app/record/buttonbar.h"
#include "app/record/inuse.h"
#include "app/record/lookup.h"
#include "app/record/rights.h"

class Dataset;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class RecordGrid;
class ScreenBehaviour;

// The record screens: one table kept through a button bar, in browse and edit states. A screen
// declares its fields (each bound to a column), its checks in order, its audit routine, the rows
// that keep a record from being deleted and its texts; the screen behaviour, the states, navigation,
// "Novo", "Alterar", "Gravar", "Cancelar"/"Sair", "Excluir", the search tab, showing a record and
// the look-up use are all here. Two families:
//   Tabbed: "Consulta" (search options, edpesquisa, DBGrid1, "Sair") and "Cadastro" (P_dados and the
//           button bar); more record tabs may be added, each with its own bar.
//   Grid:   P_dados, the button bar and DBGrid1 over the table on one page; a row clicked is shown.
// "Gravar" runs the checks, writes the row and its audit row in one transaction, re-reads the saved
// row and shows it; a failure shows the server's text and leaves the screen in the edit state with
// the fields as typed. "Excluir" writes the "E" audit row and deletes the row in one transaction.
class RecordScreen : public QDialog, public LookupSource {
  Q_OBJECT
 public:
  enum class Family { Tabbed, Grid };
  enum class Mode { Insert, Change };
  enum class State { Browse, Edit };
  enum class SearchBy { Code, Contains, Equals, General };

  // How a bound field reaches its column.
  struct Binding {
    QWidget *field = nullptr;
    QString column;
    bool onInsert = true;  // written by the generated insert
    bool onChange = true;  // written by the generated update
    bool shown = true;     // filled when a record is shown
    // An empty amount, text or combo is written as NULL (else as 0 or an empty text).
    bool emptyNullOnInsert = false;
    bool emptyNullOnChange = false;
    std::function<QVariant(Mode)> value;         // replaces reading the field
    std::function<void(const QVariant &)> show;  // replaces showing the column in the field

    Binding &insertOnly() {
      onChange = false;
      return *this;
    }
    Binding &notWritten() {
      onInsert = onChange = false;
      return *this;
    }
    Binding &emptyAsNull(bool onInsertToo = true, bool onChangeToo = true) {
      emptyNullOnInsert = onInsertToo;
      emptyNullOnChange = onChangeToo;
      return *this;
    }
  };

  ~RecordScreen() override;

  Family family() const { return family_; }
  Mode mode() const { return mode_; }
  State state() const { return state_; }
  Dataset *dataset() const { return dataset_; }
  ScreenBehaviour &behaviour() const { return *behaviour_; }
  ButtonBar *buttonBar() const { return bars_.value(0); }
  RecordGrid *grid() const { return grid_; }
  QWidget *fieldsPanel() const { return panels_.value(0); }
  QTabWidget *pages() const { return pages_; }  // tabbed only
  QLineEdit *searchField() const { return edpesquisa_; }
  QVariant shownKey() const { return shownKey_; }
  QSqlRecord shownRecord() const { return shownRecord_; }

  void useAsLookup(Choose choose) override;
  bool isLookup() const override { return bool(lookup_); }

 public slots:
  // Virtual, so a screen may add to a button (say, a record tab whose "Alterar" starts elsewhere).
  virtual void btprimeiroClick();
  virtual void btanteriorClick();
  virtual void btproximoClick();
  virtual void btultimoClick();
  virtual void btnovoClick();
  virtual void btalterarClick();
  virtual void btgravarClick();
  virtual void btexcluirClick();
  virtual void btrelatorioClick();
  virtual void btcancelarClick();
  // The search tab: Enter or a double click on a row shows it on the record tab.
  void DBGrid1DblClick();
  void edpesquisaExit();

 signals:
  // The screen entered the browse or the edit state (its buttons and panels already follow it).
  void stateChanged(RecordScreen::State state);

 protected:
  RecordScreen(QWidget *parent, Family family, const QString &caption,
               ButtonBar::Buttons buttons = ButtonBar::Buttons(ButtonBar::kStandard));

  // ---- the declaration, made in the screen's constructor ----
  // The table kept, its key column (generated statements, re-read) and, for the grid family and the
  // "Geral" search, the statement that lists it.
  void setTable(const QString &table, const QString &key = QStringLiteral("codigo"));
  void setListing(const QString &sql, const QVariantList &values = {});
  Binding &bind(QWidget *field, const QString &column);
  // A column written without a field (the insert date, a brokerage code).
  Binding &bindValue(const QString &column, std::function<QVariant(Mode)> value);
  // Where the focus goes on "Novo" and on "Alterar" (the first bound field unless said).
  void setFirstField(Mode mode, QWidget *field);
  // "Gravar" checks, run in the order given; the first failing one shows its message and focuses its field.
  void addCheck(QWidget *field, std::function<bool()> passes, const QString &message,
                const QString &title = QStringLiteral("Erro de Preenchimento de Campo"),
                Messages::Icon icon = Messages::Icon::Error);
  void requireFilled(QWidget *field, const QString &message);
  // The audit routine; `fill` gives the history, payee, amount and remark of a row (the key is the
  // saved or deleted row's). Without it no audit row is written. `operations` names the letters
  // audited: "I" insert, "A" change, "E" deletion (a screen whose changes leave no row drops "A").
  void setAudit(const QString &rotina, std::function<void(AuditEntry &entry, const QVariant &key)> fill,
                const QString &operations = QStringLiteral("IAE"));
  // A statement with one placeholder for the key; any row it returns keeps the record from being
  // deleted and shows `message` (an empty message: refused without a word).
  void addInUse(const QString &sql, const QString &message, Messages::Icon icon = Messages::Icon::Warning,
                const QString &title = QStringLiteral("Atenção"));
  void setDeleteQuestion(const QString &text, const QString &title = QStringLiteral("Atenção"),
                         Messages::Buttons buttons = Messages::Buttons(QMessageBox::Yes | QMessageBox::No),
                         Messages::Button defaultButton = QMessageBox::Yes);
  // Shown by "Excluir" with no record (information icon); tabbed screens then go to the search tab.
  void setSelectMessage(const QString &text) { selectMessage_ = text; }
  // Shown after a successful save ("Gravação efetuada").
  void setSavedMessage(const QString &text) { savedMessage_ = text; }
  // The browse state graded by one of the user's rights, re-read each time the screen returns to it.
  void setBrowseGrade(const Rights::Grade &grade) { grade_ = grade; }
  // Tabbed: a search option of the "Opção" group (the first one added with selected=true starts selected).
  QRadioButton *addSearchOption(const QString &caption, SearchBy by, const QString &column, const QString &objectName,
                                bool selected = false);
  // The order of option searches and of "Geral" ("nome"; empty: none).
  void setSearchOrder(const QString &options, const QString &general) {
    searchOrder_ = options;
    generalOrder_ = general;
  }
  // Tabbed: another record tab with its own fields panel and button bar (names take `suffix`).
  struct RecordPage {
    QWidget *page;
    QWidget *panel;
    ButtonBar *bar;
  };
  RecordPage addRecordPage(const QString &caption, ButtonBar::Buttons buttons, const QString &suffix);
  // The look-up use: a double click chooses too (Enter always does).
  void setLookupOnDoubleClick(bool on) { lookupOnDoubleClick_ = on; }

  // ---- what a screen may do differently ----
  // Fills the fields from a row (default: every shown binding).
  virtual void showFields(const QSqlRecord &row);
  // Empties the record fields (default: every binding).
  virtual void clearFields();
  // What "Novo" empties (default: clearFields()).
  virtual void clearForNew() { clearFields(); }
  // Whether a record is shown, for "Alterar" and "Excluir" (default: a key was shown).
  virtual bool hasRecord() const { return !shownKey_.isNull(); }
  // Runs after the checks pass, before the write; false stops "Gravar" quietly.
  virtual bool beforeSave() { return true; }
  // Writes the row (default: an insert or update of the written bindings, values bound). *key gets
  // the saved row's key. On failure puts the server's text in *error.
  virtual bool writeRecord(Mode mode, QVariant *key, QString *error);
  // Deletes the shown row (default: "delete from" table "where" key "= ?").
  virtual bool deleteRecord(const QVariant &key, QString *error);
  // Shows the saved row again (tabbed: the dataset becomes that row; grid: the listing, on that row).
  virtual void reread(const QVariant &key);
  // Opens the screen on its first showing (grid: the listing, first row shown; tabbed: the search tab).
  virtual void openScreen();
  virtual void report() {}
  // After a save has committed and the row is shown.
  virtual void afterSave(Mode mode) { Q_UNUSED(mode); }

  // The field's value for a write, as its kind reads it.
  QVariant fieldValue(const Binding &b, Mode mode) const;
  // Runs one statement with values bound in order on the program's connection.
  static bool execStatement(const QString &sql, const QVariantList &values, QString *error,
                            QVariant *insertId = nullptr);

  void setState(State state);
  void showCurrent();
  // Puts the focus in a field without running the exit check of the field left, showing its tab.
  void focusField(QWidget *field);
  void showEvent(QShowEvent *event) override;

 private:
  struct Check {
    QWidget *field;
    std::function<bool()> passes;
    QString message;
    QString title;
    Messages::Icon icon;
  };
  struct SearchOption {
    QRadioButton *button;
    SearchBy by;
    QString column;
  };

  void buildTabbed(ButtonBar::Buttons buttons);
  void buildGrid(ButtonBar::Buttons buttons);
  void connectBar(ButtonBar *bar);
  void dispatch(ButtonBar *bar, ButtonBar::Button button);
  bool runChecks();
  bool writeAudit(QChar operacao, const QVariant &key, QString *error);
  void searchOptionChosen(const SearchOption &option);
  void gridEnter();
  void choose();
  void onMoved(int row);
  ButtonBar::Buttons browseButtons();
  bool onRecordPage() const;

  Family family_;
  Mode mode_ = Mode::Insert;
  State state_ = State::Browse;
  ScreenBehaviour *behaviour_;
  Dataset *dataset_;
  RecordGrid *grid_ = nullptr;
  QTabWidget *pages_ = nullptr;
  QLineEdit *edpesquisa_ = nullptr;
  QGroupBox *options_ = nullptr;
  QButtonGroup *optionGroup_ = nullptr;
  QList<QWidget *> panels_;
  QList<ButtonBar *> bars_;
  std::vector<std::unique_ptr<Binding>> bindings_;
  QList<Check> checks_;
  QList<InUseCheck> inUse_;
  QList<SearchOption> searchOptions_;
  QString table_;
  QString key_ = QStringLiteral("codigo");
  QString listing_;
  QVariantList listingValues_;
  QString searchOrder_ = QStringLiteral("nome");
  QString generalOrder_ = QStringLiteral("nome");
  QWidget *firstInsert_ = nullptr;
  QWidget *firstChange_ = nullptr;
  QString rotina_;
  std::function<void(AuditEntry &, const QVariant &)> auditFill_;
  QString auditedOperations_ = QStringLiteral("IAE");
  QString deleteText_ = QStringLiteral("Deseja excluir o registro?");
  QString deleteTitle_ = QStringLiteral("Atenção");
  Messages::Buttons deleteButtons_ = Messages::Buttons(QMessageBox::Yes | QMessageBox::No);
  Messages::Button deleteDefault_ = QMessageBox::Yes;
  QString selectMessage_;
  QString savedMessage_;
  std::optional<Rights::Grade> grade_;
  ButtonBar::Buttons lastAllowed_ = ButtonBar::Buttons(0x3FF);
  Choose lookup_;
  bool lookupOnDoubleClick_ = false;
  bool opened_ = false;
  QVariant shownKey_;
  QSqlRecord shownRecord_;
};
