#include "app/schemainstaller.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include "app/connection.h"
#include "common/scramble.h"

// Outside any namespace: the resource's initialiser is a global function.
static void initSchemaResources() { Q_INIT_RESOURCE(schema); }

namespace {

// Scanner state for one script: inside a quoted text or a comment nothing ends a statement.
struct Splitter {
  QStringList statements;
  QString current;
  bool hasCode = false;

  void flush() {
    if (hasCode) statements << current.trimmed();
    current.clear();
    hasCode = false;
  }
};

}  // namespace

QList<SchemaInstaller::Script> SchemaInstaller::bundledScripts() {
  initSchemaResources();
  QList<Script> scripts;
  const QDir dir(QStringLiteral(":/db"));
  for (const QString &name : dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
    QFile f(dir.filePath(name));
    if (f.open(QIODevice::ReadOnly)) scripts.append({name, QString::fromUtf8(f.readAll())});
  }
  return scripts;
}

QStringList SchemaInstaller::splitStatements(const QString &sql) {
  static const QRegularExpression delimiterLine(QStringLiteral("^\\s*DELIMITER\\s+(\\S+)\\s*$"),
                                                QRegularExpression::CaseInsensitiveOption);
  Splitter s;
  QString delimiter = QStringLiteral(";");
  QChar quote;  // the open quote character, or null
  bool blockComment = false;

  const QStringList lines = sql.split(u'\n');
  for (const QString &line : lines) {
    if (quote.isNull() && !blockComment) {
      const auto m = delimiterLine.match(line);
      if (m.hasMatch()) {
        s.flush();
        delimiter = m.captured(1);
        continue;
      }
    }
    for (int i = 0; i < line.size(); ++i) {
      const QChar c = line.at(i);
      if (blockComment) {
        s.current += c;
        if (c == u'*' && i + 1 < line.size() && line.at(i + 1) == u'/') {
          s.current += u'/';
          ++i;
          blockComment = false;
        }
        continue;
      }
      if (!quote.isNull()) {
        s.current += c;
        if (c == u'\\' && quote != u'`' && i + 1 < line.size()) {
          s.current += line.at(++i);
        } else if (c == quote) {
          if (i + 1 < line.size() && line.at(i + 1) == quote)
            s.current += line.at(++i);  // doubled quote
          else
            quote = QChar();
        }
        continue;
      }
      if (c == u'#' || (c == u'-' && line.mid(i, 3).startsWith(QLatin1String("--")) &&
                        (i + 2 >= line.size() || line.at(i + 2).isSpace()))) {
        s.current += line.mid(i);
        break;  // the rest of the line is a comment
      }
      if (c == u'/' && i + 1 < line.size() && line.at(i + 1) == u'*') {
        blockComment = true;
        s.current += QLatin1String("/*");
        ++i;
        continue;
      }
      if (line.mid(i, delimiter.size()) == delimiter) {
        s.flush();
        i += delimiter.size() - 1;
        continue;
      }
      if (c == u'\'' || c == u'"' || c == u'`') quote = c;
      if (!c.isSpace()) s.hasCode = true;
      s.current += c;
    }
    s.current += u'\n';
  }
  s.flush();
  return s.statements;
}

bool SchemaInstaller::createDatabase(QSqlDatabase serverConnection, const QString &name, QString *error) {
  // A database name cannot be a bound value, so only plain names are accepted.
  static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_]{1,64}$"));
  if (!plainName.match(name).hasMatch()) {
    *error = QStringLiteral("Nome de banco de dados inválido: %1").arg(name);
    return false;
  }
  QSqlQuery q(serverConnection);
  if (!q.exec(QStringLiteral("CREATE DATABASE IF NOT EXISTS `%1` CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci")
                  .arg(name))) {
    *error = QStringLiteral("Não foi possível criar o banco de dados %1:\n%2").arg(name, serverText(q.lastError()));
    return false;
  }
  return true;
}

bool SchemaInstaller::apply(QString *error) { return apply(bundledScripts(), error); }

bool SchemaInstaller::apply(const QList<Script> &scripts, QString *error) {
  if (scripts.isEmpty()) {
    *error = QStringLiteral("O programa não contém os scripts do banco de dados.");
    return false;
  }
  QSqlQuery q(db_);
  for (const Script &script : scripts) {
    const QStringList statements = splitStatements(script.text);
    for (int i = 0; i < statements.size(); ++i) {
      if (!q.exec(statements.at(i))) {
        *error = QStringLiteral("Erro ao aplicar o script %1 (comando %2):\n%3")
                     .arg(script.name)
                     .arg(i + 1)
                     .arg(serverText(q.lastError()));
        return false;
      }
    }
  }
  return true;
}

bool SchemaInstaller::isInstalled() const {
  QSqlQuery q(db_);
  q.prepare(
      QStringLiteral("SELECT 1 FROM information_schema.tables WHERE table_schema = DATABASE() "
                     "AND table_name = 'parametros'"));
  return q.exec() && q.next();
}

bool SchemaInstaller::createFirstUser(const QString &name, const QString &password, QString *error) {
  const QString user = name.trimmed().toUpper();
  if (user.isEmpty() || user.size() > 30) {
    *error = QStringLiteral("Informe um nome de usuário de 1 a 30 caracteres.");
    return false;
  }
  if (password.isEmpty() || password.size() > 6) {
    *error = QStringLiteral("Informe uma senha de 1 a 6 caracteres.");
    return false;
  }
  QSqlQuery q(db_);
  if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM usuarios")) || !q.next()) {
    *error = serverText(q.lastError());
    return false;
  }
  if (q.value(0).toInt() > 0) return true;
  const QString full = QStringLiteral("5");
  return execBound(
      db_,
      QStringLiteral("INSERT INTO usuarios (nome, senha, cadastro, tabelas, usuarios, parametros, "
                     "producao, individual, pme, auto, movimentacao, financeiro, rh) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
      {user, Scramble::scramble(password.toUpper()), full, full, full, full, full, full, full, full, full, full, full},
      error);
}
