#pragma once

#include <QFlags>
#include <QHash>
#include <QString>
#include <QWidget>

class QPushButton;

// The button bar of the record screens: the same names, captions, hints and pictures wherever a
// screen has the button. Browse enables navigation, "Novo", "Alterar", "Excluir", "Relatório" and
// the cancel button (reading "Sair"); edit enables only "Gravar" and the cancel button (reading
// "Cancelar"). A browse state graded by the user's rights enables only the buttons it allows.
class ButtonBar : public QWidget {
  Q_OBJECT
 public:
  enum Button {
    First = 0x001,   // btprimeiro, picture, "Primeiro Registro"
    Prior = 0x002,   // btanterior, picture, "Registro Anterior"
    Next = 0x004,    // btproximo, picture, "Próximo Registro"
    Last = 0x008,    // btultimo, picture, "Último Registro"
    New = 0x010,     // btnovo, "Novo", "Adicionar Novo Registro"
    Save = 0x020,    // btgravar, "Gravar", "Gravar"
    Change = 0x040,  // btalterar, "Alterar", "Alterar Registro"
    Delete = 0x080,  // btexcluir, "Excluir", "Apagar Registro"
    Report = 0x100,  // btrelatorio, "Relatório", "Relatório"
    Cancel = 0x200,  // btcancelar, "Sair" / "Cancelar", "Cancelar"
  };
  Q_DECLARE_FLAGS(Buttons, Button)
  static constexpr int kNavigation = First | Prior | Next | Last;
  static constexpr int kStandard = kNavigation | New | Save | Change | Delete | Cancel;

  // `suffix` follows each object name, for a second bar on another tab of the same screen.
  explicit ButtonBar(QWidget *parent, Buttons which = Buttons(kStandard), const QString &suffix = {},
                     Qt::Orientation orientation = Qt::Horizontal);

  // nullptr for a button this bar does not have.
  QPushButton *button(Button b) const { return buttons_.value(b); }
  Buttons which() const { return which_; }

  // Browse, with the buttons `allowed` leaves on (all by default).
  void setBrowse(Buttons allowed = Buttons(0x3FF));
  void setEdit();
  bool isEditing() const { return editing_; }
  // The cancel button's two captions; the user screen keeps "Sair" in both.
  void setCancelCaptions(const QString &browse, const QString &edit);

  static QString objectNameOf(Button b);

 signals:
  void clicked(ButtonBar::Button button);

 private:
  QHash<int, QPushButton *> buttons_;
  Buttons which_;
  bool editing_ = false;
  QString cancelBrowse_ = QStringLiteral("Sair");
  QString cancelEdit_ = QStringLiteral("Cancelar");
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ButtonBar::Buttons)
