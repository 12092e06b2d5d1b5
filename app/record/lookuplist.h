#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include "app/messages.h"
#include "app/record/inuse.h"
#include "app/record/lookup.h"

class Dataset;
class QLabel;
class QLineEdit;
class RecordGrid;
class ScreenBehaviour;

// A short list of codes and names with an active flag (`codigo`, `nome`, `ativo`): one name field
// over a grid. Leaving the name field adds an entry when no entry has exactly that name; F12 in the
// grid turns the entry's flag on or off; a double click deletes the entry unless other rows still
// refer to it. Each list is one declaration of these.
struct LookupListDeclaration {
  QString caption;
  QString table;
  QString rotina;  // audit routine name
  QString nameLabel = QStringLiteral("Nome");
  int nameLength = 40;
  QStringList columnTitles{QStringLiteral("Código"), QStringLiteral("Nome"), QStringLiteral("Ativo")};
  QString hint = QStringLiteral("Pressione: F12 para Ativar/Desativar");
  // An audit row ("I", the name as history) is written with each entry added.
  bool auditOnAdd = false;
  // Statements with one placeholder for the entry's code; any row returned keeps the entry. An
  // empty message refuses without a word.
  using InUse = InUseCheck;
  QList<InUse> inUse;
  QString deleteText = QStringLiteral("Deseja excluir o registro?");
  QString deleteTitle = QStringLiteral("Atenção");
  Messages::Buttons deleteButtons = Messages::Buttons(QMessageBox::Yes | QMessageBox::No);
  Messages::Button deleteDefault = QMessageBox::Yes;
  bool swallowCtrlDelete = true;
  bool emptyNameAfterDelete = false;
};

class LookupListScreen : public QDialog, public LookupSource {
  Q_OBJECT
 public:
  explicit LookupListScreen(const LookupListDeclaration &declaration, QWidget *parent = nullptr);

  Dataset *dataset() const { return dataset_; }
  ScreenBehaviour &behaviour() const { return *behaviour_; }

  // As a look-up, Enter in the grid hands the entry to the caller.
  void useAsLookup(Choose choose) override { lookup_ = std::move(choose); }
  bool isLookup() const override { return bool(lookup_); }

 public slots:
  bool ednomeExit();
  void DBGrid1KeyF12();
  void DBGrid1DblClick();

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void reopen(const QVariant &standOn = {});
  LookupListDeclaration d_;
  ScreenBehaviour *behaviour_;
  Dataset *dataset_;
  QLineEdit *ednome_;
  RecordGrid *grid_;
  Choose lookup_;
  bool opened_ = false;
};
