#include "app/config.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

QStringList AppConfig::searchPaths() {
  QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (configHome.isEmpty()) configHome = QDir::homePath() + QStringLiteral("/.config");
  return {QCoreApplication::applicationDirPath() + QStringLiteral("/velmora.ini"),
          configHome + QStringLiteral("/velmora/velmora.ini")};
}

AppConfig AppConfig::load() {
  for (const QString &path : searchPaths())
    if (QFileInfo::exists(path)) return loadFrom(path);
  return {};
}

AppConfig AppConfig::loadFrom(const QString &path) {
  AppConfig c;
  c.iniPath = path;
  QSettings ini(path, QSettings::IniFormat);
  ini.beginGroup(QStringLiteral("database"));
  c.database.host = ini.value(QStringLiteral("host")).toString().trimmed();
  c.database.port = ini.value(QStringLiteral("port"), 3306).toInt();
  c.database.socket = ini.value(QStringLiteral("socket")).toString().trimmed();
  c.database.database = ini.value(QStringLiteral("name"), QStringLiteral("velmora")).toString().trimmed();
  c.database.user = ini.value(QStringLiteral("user")).toString();
  c.database.password = ini.value(QStringLiteral("password")).toString();
  ini.endGroup();
  const QString locale = ini.value(QStringLiteral("locale/name")).toString().trimmed();
  if (!locale.isEmpty()) c.localeName = locale;
  return c;
}
