#include "app/frmprincipal.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSqlError>
#include <QSqlQuery>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/accessgate.h"
#include "app/frmbemvindo.h"
#include "app/connection.h"
#include "app/messages.h"
#include "app/programlocale.h"
#include "app/screens.h"
#include "app/session.h"
#include "app/tdm.h"

const QString TFrmPrincipal::kBaseCaption = QStringLiteral("Velmora - Sistema Integrado de Gestão");

namespace {

// A status-bar panel keeps its width while there is room (widening for a text that would not fit, as a
// long date under a large font) and gives way on a narrow screen.
class Panel : public QLabel {
 public:
  Panel(int width, QWidget *parent) : QLabel(parent), width_(width) {
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    setTextInteractionFlags(Qt::NoTextInteraction);
  }
  QSize sizeHint() const override {
    const QSize text = QLabel::sizeHint();
    return {qMax(width_, text.width()), text.height()};
  }
  QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

 private:
  int width_;
};

constexpr int kPanelWidths[TFrmPrincipal::kPanels] = {90, 85, 50, 140, 500, 250, 150, 50};

const QString kSupport = QStringLiteral("Suporte: procure o administrador do sistema da corretora");

QStyle::StandardPixmap toolIcon(int index) {
  static constexpr QStyle::StandardPixmap icons[] = {QStyle::SP_DirHomeIcon,         QStyle::SP_FileDialogDetailedView,
                                                     QStyle::SP_FileDialogListView,  QStyle::SP_ArrowDown,
                                                     QStyle::SP_FileDialogInfoView,  QStyle::SP_DialogApplyButton,
                                                     QStyle::SP_FileDialogNewFolder, QStyle::SP_FileIcon,
                                                     QStyle::SP_DialogCloseButton};
  return icons[index % (sizeof(icons) / sizeof(icons[0]))];
}

}  // namespace

TFrmPrincipal::TFrmPrincipal(QWidget *parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("FrmPrincipal"));
  setWindowTitle(kBaseCaption);
  // The whole screen even where no window manager honours the maximised state.
  if (const QScreen *screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
  setWindowState(Qt::WindowMaximized);

  auto *picture = new QLabel(QStringLiteral("Velmora"), this);
  picture->setObjectName(QStringLiteral("Image1"));
  QFont font = picture->font();
  font.setPointSize(font.pointSize() * 5);
  font.setBold(true);
  picture->setFont(font);
  picture->setAlignment(Qt::AlignCenter);
  picture->setEnabled(false);  // drawn greyed, as a background
  setCentralWidget(picture);

  buildMenu();
  buildToolButtons();
  buildStatusBar();

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, &TFrmPrincipal::Timer1Timer);
  Timer1->start();
  Timer1Timer();

  connect(&Session::instance(), &Session::changed, this, &TFrmPrincipal::showLoginValues);
  showLoginValues();
}

void TFrmPrincipal::buildMenu() {
  QHash<QString, QMenu *> menus;  // by the joined path of menus
  for (const MenuEntry &entry : mainMenu()) {
    QMenu *menu = nullptr;
    QString key;
    for (const QString &name : entry.menus) {
      const QString parentKey = key;
      key = key.isEmpty() ? name : key + QStringLiteral(" > ") + name;
      QMenu *&slot = menus[key];
      if (!slot) slot = parentKey.isEmpty() ? menuBar()->addMenu(name) : menus.value(parentKey)->addMenu(name);
      menu = slot;
    }
    if (entry.kind == MenuEntry::Kind::Separator) {
      if (menu) menu->addSeparator();
      continue;
    }
    QAction *action = menu ? menu->addAction(entry.caption) : menuBar()->addAction(entry.caption);
    connect(action, &QAction::triggered, this, [this, entry] { menuClick(entry); });
    actions_.insert(entry.path(), action);
  }
}

void TFrmPrincipal::buildToolButtons() {
  auto *bar = addToolBar(QStringLiteral("Ferramentas"));
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  const QList<ToolButtonEntry> &entries = mainToolButtons();
  for (int i = 0; i < entries.size(); ++i) {
    const ToolButtonEntry &b = entries.at(i);
    auto *button = new QToolButton(bar);
    button->setObjectName(b.objectName);
    button->setText(b.caption);
    button->setToolTip(b.hint);
    button->setStatusTip(b.hint);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIcon(style()->standardIcon(toolIcon(i)));
    QAction *entry = actions_.value(b.entryPath);
    Q_ASSERT(entry);
    // The button runs exactly what its menu entry runs, the gate included.
    connect(button, &QToolButton::clicked, entry, &QAction::trigger);
    bar->addWidget(button);
  }
}

void TFrmPrincipal::buildStatusBar() {
  sb = statusBar();
  sb->setObjectName(QStringLiteral("sb"));
  sb->setSizeGripEnabled(false);
  for (int i = 0; i < kPanels; ++i) {
    auto *panel = new Panel(kPanelWidths[i], sb);
    panel->setObjectName(QStringLiteral("sbPanel%1").arg(i));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    sb->addWidget(panel);
    panels_ << panel;
  }
  panels_[2]->setText(QStringLiteral("Usuário:"));
  panels_[4]->setText(kSupport);
}

QString TFrmPrincipal::panelText(int index) const {
  return index >= 0 && index < panels_.size() ? panels_.at(index)->text() : QString();
}

QAction *TFrmPrincipal::menuAction(const QString &path) const { return actions_.value(path); }

void TFrmPrincipal::showLoginValues() {
  panels_[3]->setText(Session::instance().user());
  panels_[7]->setText(Session::instance().brokerage());
}

void TFrmPrincipal::Timer1Timer() {
  const QLocale locale;
  const QDateTime now = QDateTime::currentDateTime();
  panels_[0]->setText(QStringLiteral("Data: ") + locale.toString(now.date(), QLocale::ShortFormat));
  panels_[1]->setText(QStringLiteral("Hora: ") + locale.toString(now.time(), ProgramLocale::longTimeFormat(locale)));
}

QString TFrmPrincipal::programFile() { return QCoreApplication::applicationDirPath() + QStringLiteral("/velmora"); }

QString TFrmPrincipal::versionText(const QString &programPath) {
  const QFileInfo file(programPath);
  if (!file.exists()) return QStringLiteral("Versão: Nome de Arquivo Inválido");
  const QDateTime modified = file.lastModified();
  if (!modified.isValid()) return QStringLiteral("Versão não Loc.");
  const QLocale locale;
  return QStringLiteral("Versão: ") + locale.toString(modified, locale.dateFormat(QLocale::ShortFormat) + u' ' +
                                                                    ProgramLocale::longTimeFormat(locale));
}

void TFrmPrincipal::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // The login runs once the window stands on the screen and the event loop is running.
  QTimer::singleShot(0, this, &TFrmPrincipal::FormShow);
}

void TFrmPrincipal::FormShow() {
  if (Screens::open(new TFrmBemVindo(this)) != QDialog::Accepted) {
    endProgram();
    return;
  }
  loadCaption();
  panels_[5]->setText(versionText(programFile()));
}

void TFrmPrincipal::loadCaption() {
  QSqlQuery q(dm().database());
  if (!q.exec(QStringLiteral("SELECT fantasia FROM parametros LIMIT 1"))) {
    Messages::error(serverText(q.lastError()));
    return;
  }
  const QString fantasia = q.next() ? q.value(0).toString() : QString();
  setWindowTitle(kBaseCaption + QStringLiteral(": ") + fantasia);
}

void TFrmPrincipal::menuClick(const MenuEntry &entry) {
  switch (entry.kind) {
    case MenuEntry::Kind::Screen: {
      if (!AccessGate::allows(entry.right, entry.rule)) return;
      // Entries whose screens are not part of this installation open nothing.
      QDialog *screen = Screens::create(entry.screen, this);
      if (!screen) return;
      if (!entry.title.isEmpty()) screen->setWindowTitle(entry.title);
      Screens::open(screen);
      return;
    }
    case MenuEntry::Kind::Reconnect:
      dm().conectarBD();
      return;
    case MenuEntry::Kind::EndSpreadsheets:
      dm().finalizarExcel();
      return;
    case MenuEntry::Kind::Quit:
      close();
      return;
    case MenuEntry::Kind::NoAction:
    case MenuEntry::Kind::Separator:
      return;
  }
}

void TFrmPrincipal::endProgram() {
  askOnClose_ = false;
  close();
  QCoreApplication::exit(0);
}

void TFrmPrincipal::closeEvent(QCloseEvent *event) {
  if (askOnClose_ && !Messages::confirm(QStringLiteral("Deseja sair do sistemas"))) {
    event->ignore();
    return;
  }
  event->accept();
}
