#include "app/record/buttonbar.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QStyle>

namespace {

struct Face {
  ButtonBar::Button button;
  const char *name;
  const char *caption;  // empty: picture only
  const char *hint;
  QStyle::StandardPixmap picture;
};

const Face kFaces[] = {
    {ButtonBar::First, "btprimeiro", "", "Primeiro Registro", QStyle::SP_MediaSkipBackward},
    {ButtonBar::Prior, "btanterior", "", "Registro Anterior", QStyle::SP_MediaSeekBackward},
    {ButtonBar::Next, "btproximo", "", "Próximo Registro", QStyle::SP_MediaSeekForward},
    {ButtonBar::Last, "btultimo", "", "Último Registro", QStyle::SP_MediaSkipForward},
    {ButtonBar::New, "btnovo", "Novo", "Adicionar Novo Registro", QStyle::SP_FileIcon},
    {ButtonBar::Save, "btgravar", "Gravar", "Gravar", QStyle::SP_DialogSaveButton},
    {ButtonBar::Change, "btalterar", "Alterar", "Alterar Registro", QStyle::SP_FileDialogDetailedView},
    {ButtonBar::Delete, "btexcluir", "Excluir", "Apagar Registro", QStyle::SP_TrashIcon},
    {ButtonBar::Report, "btrelatorio", "Relatório", "Relatório", QStyle::SP_FileDialogContentsView},
    {ButtonBar::Cancel, "btcancelar", "Sair", "Cancelar", QStyle::SP_DialogCloseButton},
};

}  // namespace

QString ButtonBar::objectNameOf(Button b) {
  for (const Face &f : kFaces)
    if (f.button == b) return QString::fromLatin1(f.name);
  return {};
}

ButtonBar::ButtonBar(QWidget *parent, Buttons which, const QString &suffix, Qt::Orientation orientation)
    : QWidget(parent), which_(which) {
  auto *layout =
      new QBoxLayout(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
  layout->setContentsMargins(0, 0, 0, 0);
  for (const Face &f : kFaces) {
    if (!which.testFlag(f.button)) continue;
    auto *b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(f.name) + suffix);
    const QString caption = QString::fromUtf8(f.caption);
    if (caption.isEmpty())
      b->setIcon(style()->standardIcon(f.picture));
    else
      b->setText(caption);
    b->setToolTip(QString::fromUtf8(f.hint));
    b->setAutoDefault(false);
    layout->addWidget(b);
    buttons_.insert(f.button, b);
    const Button id = f.button;
    connect(b, &QPushButton::clicked, this, [this, id] { emit clicked(id); });
  }
  layout->addStretch();
  setBrowse();
}

void ButtonBar::setBrowse(Buttons allowed) {
  editing_ = false;
  for (auto it = buttons_.begin(); it != buttons_.end(); ++it) {
    const auto b = Button(it.key());
    it.value()->setEnabled(b != Save && allowed.testFlag(b));
  }
  if (QPushButton *c = button(Cancel)) c->setText(cancelBrowse_);
}

void ButtonBar::setEdit() {
  editing_ = true;
  for (auto it = buttons_.begin(); it != buttons_.end(); ++it) {
    const auto b = Button(it.key());
    it.value()->setEnabled(b == Save || b == Cancel);
  }
  if (QPushButton *c = button(Cancel)) c->setText(cancelEdit_);
}

void ButtonBar::setCancelCaptions(const QString &browse, const QString &edit) {
  cancelBrowse_ = browse;
  cancelEdit_ = edit;
  if (QPushButton *c = button(Cancel)) c->setText(editing_ ? edit : browse);
}
