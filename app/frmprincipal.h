#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QString>

#include "app/mainmenu.h"

class QAction;
class QLabel;
class QStatusBar;
class QTimer;

// The application's frame: menu bar, tool buttons, status bar with the login values and the clock. Its
// first showing runs the login; closing it, after the question, ends the program.
class TFrmPrincipal : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kPanels = 8;
  static const QString kBaseCaption;  // "Velmora - Sistema Integrado de Gestão"

  explicit TFrmPrincipal(QWidget *parent = nullptr);

  QString panelText(int index) const;
  // The menu action named like "Produção > PME > Cadastro", or nullptr.
  QAction *menuAction(const QString &path) const;

  // "Versão: " and the modification date and time of the program file, or the texts for a missing or
  // unreadable file.
  static QString versionText(const QString &programPath);
  // The program file the version text describes: "velmora" in the running program's folder.
  static QString programFile();

  // What every menu entry and tool button runs: the gate, then its screen or command.
  void menuClick(const MenuEntry &entry);

 public slots:
  void FormShow();     // the first showing: login, caption, version
  void Timer1Timer();  // the clock
  // Ends the program without the closing question (ESC at the login, both login fields left empty).
  void endProgram();

 protected:
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

 private:
  void buildMenu();
  void buildToolButtons();
  void buildStatusBar();
  void showLoginValues();
  void loadCaption();

  QStatusBar *sb = nullptr;
  QList<QLabel *> panels_;
  QHash<QString, QAction *> actions_;
  QTimer *Timer1 = nullptr;
  bool shown_ = false;
  bool askOnClose_ = true;
};
