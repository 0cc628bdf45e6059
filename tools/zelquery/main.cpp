// SPDX-License-Identifier: MIT
// zelquery: checks, generates, runs and exports stored queries without a window.
//   zelquery sql MODEL QUERYFILE [--query NAME] [--param NAME=VALUE]...
//   zelquery run MODEL QUERYFILE [...] [--format csv|tab] [--names]
//   zelquery export MODEL QUERYFILE --out FILE [...]
//   zelquery print MODEL QUERYFILE --out FILE.pdf [...]
//   zelquery check MODEL [QUERYFILE]
//   zelquery design MODEL SQLFILE --out QUERYFILE [--dialect NAME]
//   zelquery model DATABASE --out MODEL [--tables PATTERN]... [--schema NAME]...
// Status 0 when everything succeeded, 1 after any message, 2 for a wrong command line,
// 130 when Ctrl+C cancelled the running statement (143 for SIGTERM, 129 for SIGHUP).

#include "database/aliasoption.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "engine/recordprinting.h"
#include "engine/zelparams.h"
#include "engine/zelsync.h"
#include "export/exportrecords.h"
#include "interrupt.h"
#include "messages/zelmessages.h"
#include "model/dialects.h"
#include "model/zelregistry.h"
#include "modelcommand.h"
#include "pdf/pdfmodule.h"
#include "querytool.h"
#include "toolmessages.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

enum Status { Success = 0, Failure = 1, WrongUsage = 2 };

struct Command {
  QString name;
  QString synopsis;    // after "zelquery NAME [options] "
  QString description; // one paragraph
  int minArgs;
  int maxArgs;
};

const QList<Command> &commands() {
  static const QList<Command> list = {
      {u"sql"_s, u"MODEL QUERYFILE"_s,
       u"Prints the SQL statement generated for the stored query, line by line."_s, 2, 2},
      {u"run"_s, u"MODEL QUERYFILE"_s,
       u"Runs the stored query and writes its records to standard output as comma- or\n"
       "tab-delimited text (UTF-8, CR LF line ends)."_s,
       2, 2},
      {u"export"_s, u"MODEL QUERYFILE --out FILE"_s,
       u"Runs the stored query and writes its records to FILE, by its extension: .csv\n"
       "(comma-delimited), .tab (tab-delimited), .dbf (dBase table) or .db (Paradox table)."_s,
       2, 2},
      {u"print"_s, u"MODEL QUERYFILE --out FILE.pdf"_s,
       u"Runs the stored query and prints its records as the paged columnar report into\n"
       "FILE.pdf, with the page size, orientation, margins, captions and fonts of the query\n"
       "file."_s,
       2, 2},
      {u"check"_s, u"MODEL [QUERYFILE]"_s,
       u"Reads the data model (and the query), runs the setup checks and the query's\n"
       "validation and prints every message, without running anything on a database."_s,
       1, 2},
      {u"design"_s, u"MODEL SQLFILE --out QUERYFILE"_s,
       u"Reads the SELECT statement in SQLFILE into a query's tables, joins and values and\n"
       "writes it as the query file QUERYFILE. A statement the design cannot hold is refused\n"
       "with a message naming what and where (line and column)."_s,
       2, 2},
      {u"model"_s, u"DATABASE --out MODEL"_s,
       u"Reads the tables, views, columns, primary keys and foreign keys of DATABASE from its\n"
       "catalogue and writes them as the data model MODEL, each table's first foreign key to\n"
       "another as a default join. DATABASE is an alias, an SQLite file, a folder of tables,\n"
       "or sqlite:FILE, standard:FOLDER, postgresql:HOST:PORT/DB?user=U,\n"
       "mariadb:HOST:PORT/DB?user=U (or mysql:), firebird:HOST:PORT/PATH-OR-ALIAS?user=U,\n"
       "firebird:/FILE.fdb (with NAME= in front, the model names its database NAME)."_s,
       1, 1},
  };
  return list;
}

const Command *findCommand(const QString &name) {
  for (const Command &c : commands())
    if (c.name == name)
      return &c;
  return nullptr;
}

QString generalUsage() {
  QString text = u"Usage: zelquery COMMAND [options] MODEL [QUERYFILE]\n\n"
                 "Checks, generates, runs and exports stored queries without a window.\n"
                 "MODEL is a file holding a data model's stored form; QUERYFILE a query file.\n\n"
                 "Commands:\n"_s;
  for (const Command &c : commands())
    text += u"  "_s + c.name.leftJustified(8) + c.synopsis + u'\n';
  text += u"\nzelquery COMMAND --help describes a command and its options;\n"
          "zelquery --version prints the version.\n"
          "Exit status: 0 success, 1 a failure (its message on standard error),\n"
          "2 a wrong command line, 130 cancelled by Ctrl+C (143 by SIGTERM,\n"
          "129 by SIGHUP).\n"_s;
  return text;
}

// False, after saying why on standard error, when standard output refused the text.
bool writeTo(FILE *stream, const QString &text) {
  const QByteArray bytes = text.toUtf8();
  errno = 0;
  if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size()) &&
      std::fflush(stream) == 0)
    return true;
  if (stream == stdout)
    printError(u"Error: Cannot write standard output: "_s +
               QString::fromLocal8Bit(std::strerror(errno)));
  return false;
}

int usageError(const QString &message, const QString &usage) {
  writeTo(stderr, zelReadableText(u"Error: "_s + message) + u"\n\n"_s + usage);
  return WrongUsage;
}

struct Options {
  QCommandLineOption help{{u"h"_s, u"help"_s}, u"Shows this help."_s};
  QCommandLineOption alias{
      u"alias"_s,
      u"Defines a database alias, as NAME=sqlite:FILE, NAME=standard:FOLDER or "
      "NAME=postgresql:HOST:PORT/DB?user=U (the password from the environment variable "
      "ZEL_PG_PASSWORD, else libpq's ~/.pgpass; &connect_timeout=SECONDS, default "_s +
          QString::number(TzelSession::DefaultConnectTimeout) +
          u", how long to wait for the server), NAME=mariadb:HOST:PORT/DB?user=U or "
          "NAME=mysql:... (the password from MYSQL_PWD, else ~/.my.cnf), "
          "NAME=firebird:HOST:PORT/PATH-OR-ALIAS?user=U (the password from ISC_PASSWORD) or "
          "NAME=firebird:/FILE.fdb (the embedded engine). May be repeated; adds to the engine's "
          "aliases file."_s,
      u"NAME=DRIVER:TARGET"_s};
  QCommandLineOption database{u"database"_s,
                              u"The database the statement runs on (default: the database "
                              "of the query's first table)."_s,
                              u"NAME"_s};
  QCommandLineOption query{
      u"query"_s, u"Uses the file's query named NAME instead of its first query."_s, u"NAME"_s};
  QCommandLineOption param{u"param"_s,
                           u"The value of a filter parameter; repeat for each. A parameter "
                           "without a value and without a default is an error."_s,
                           u"NAME=VALUE"_s};
  QCommandLineOption format{u"format"_s, u"Output format: csv (default) or tab."_s, u"csv|tab"_s,
                            u"csv"_s};
  QCommandLineOption names{u"names"_s, u"Starts the output with the line of field labels."_s};
  QCommandLineOption out{u"out"_s, u"The file to write (.csv, .tab, .dbf or .db)."_s, u"FILE"_s};
  QCommandLineOption pdfOut{u"out"_s, u"The PDF file to write."_s, u"FILE.pdf"_s};
  QCommandLineOption noNames{u"no-names"_s,
                             u"Leaves the line of field labels out of .csv and .tab files."_s};
  QCommandLineOption queryOut{u"out"_s, u"The query file to write."_s, u"QUERYFILE"_s};
  QCommandLineOption modelOut{u"out"_s, u"The data model file to write."_s, u"MODEL"_s};
  QCommandLineOption tables{u"tables"_s,
                            u"Reads only the tables whose names match PATTERN (* and ?, ignoring "
                            "case); may be repeated."_s,
                            u"PATTERN"_s};
  QCommandLineOption schema{
      u"schema"_s, u"Reads only the tables of the schema NAME; may be repeated."_s, u"NAME"_s};
  QCommandLineOption dialect{u"dialect"_s,
                             u"The SQL dialect the statement is written in, as the data model "
                             "names them (SQLite, PostgreSQL, MSSQL ...; default: the model's)."_s,
                             u"NAME"_s};
};

// The dialect named (with or without its "zel" prefix, ignoring case), or nothing.
std::optional<TzelDatabase> dialectNamed(const QString &name) {
  for (int i = zelUnknown; i <= zelLastDialect; ++i) {
    const QString full = enumName(TzelDatabase(i));
    if (full.compare(name, Qt::CaseInsensitive) == 0 ||
        full.mid(3).compare(name, Qt::CaseInsensitive) == 0)
      return TzelDatabase(i);
  }
  return std::nullopt;
}

void configure(QCommandLineParser &parser, const Options &o, const Command &c) {
  parser.setApplicationDescription(c.description);
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOption(o.help);
  parser.addOption(o.alias);
  if (c.name == u"model") {
    parser.addPositionalArgument(u"DATABASE"_s, u"The database whose catalogue is read."_s);
    parser.addOption(o.modelOut);
    parser.addOption(o.tables);
    parser.addOption(o.schema);
    return;
  }
  parser.addOption(o.database);
  parser.addPositionalArgument(u"MODEL"_s, u"The data model's stored form."_s);
  if (c.name == u"check") {
    parser.addOption(o.query);
    parser.addPositionalArgument(u"QUERYFILE"_s, u"A query file to check (optional)."_s,
                                 u"[QUERYFILE]"_s);
    return;
  }
  if (c.name == u"design") {
    parser.addPositionalArgument(u"SQLFILE"_s, u"A file holding one SELECT statement."_s);
    parser.addOption(o.queryOut);
    parser.addOption(o.dialect);
    return;
  }
  parser.addPositionalArgument(u"QUERYFILE"_s, u"The query file."_s);
  parser.addOption(o.query);
  parser.addOption(o.param);
  if (c.name == u"run") {
    parser.addOption(o.format);
    parser.addOption(o.names);
  } else if (c.name == u"export") {
    parser.addOption(o.out);
    parser.addOption(o.noNames);
  } else if (c.name == u"print") {
    parser.addOption(o.pdfOut);
  }
}

QString commandUsage(const QCommandLineParser &parser, const Command &c) {
  QString text = parser.helpText();
  const qsizetype end = text.indexOf(u'\n');
  return u"Usage: zelquery "_s + c.name + u" [options] "_s + c.synopsis + u'\n' + text.mid(end);
}

bool registerAliases(const QStringList &values, QString &error) {
  for (const QString &value : values) {
    QString why;
    const auto alias = parseAliasOption(value, why);
    if (!alias) {
      error = u"Invalid --alias "_s + aliasOptionForMessage(value) + u": "_s + why;
      return false;
    }
    TzelSession::defaultSession().registerAlias(*alias);
  }
  return true;
}

// The checks of the command line that need no file; an empty text when it is sound.
QString commandLineFault(const QCommandLineParser &parser, const Options &o, const Command &c,
                         int &fileType) {
  const QStringList args = parser.positionalArguments();
  if (args.size() < c.minArgs)
    return u"Missing "_s + (c.name == u"model"    ? u"DATABASE"_s
                            : args.isEmpty()      ? u"MODEL"_s
                            : c.name == u"design" ? u"SQLFILE"_s
                                                  : u"QUERYFILE"_s);
  if (args.size() > c.maxArgs)
    return u"Unexpected argument "_s + args.at(c.maxArgs);
  if (c.name == u"model")
    return parser.value(o.modelOut).isEmpty() ? u"The model command needs --out MODEL"_s
                                              : QString();
  if (c.name == u"design") {
    if (!parser.isSet(o.queryOut) || parser.value(o.queryOut).isEmpty())
      return u"The design command needs --out QUERYFILE"_s;
    if (parser.isSet(o.dialect) && !dialectNamed(parser.value(o.dialect)))
      return u"Invalid --dialect "_s + parser.value(o.dialect) + u": unknown dialect"_s;
    return {};
  }
  if (c.name != u"check") {
    for (const QString &p : parser.values(o.param))
      if (p.indexOf(u'=') <= 0)
        return u"Invalid --param "_s + p + u": expected NAME=VALUE"_s;
  }
  if (c.name == u"run") {
    const QString format = parser.value(o.format);
    if (format != u"csv" && format != u"tab")
      return u"Invalid --format "_s + format + u": expected csv or tab"_s;
  }
  if (c.name == u"export") {
    if (!parser.isSet(o.out) || parser.value(o.out).isEmpty())
      return u"The export command needs --out FILE"_s;
    const QString extension = QFileInfo(parser.value(o.out)).suffix();
    fileType = ExportFileTypeOfExtension(extension);
    if (fileType == zelExportNone)
      return UnknownExtensionMessage(extension).mid(7);
    if (fileType != zelExportCsv && fileType != zelExportTab && fileType != zelExportDbf &&
        fileType != zelExportDb)
      return u"The export command writes .csv, .tab, .dbf or .db files, not ."_s + extension;
  }
  if (c.name == u"print") {
    if (!parser.isSet(o.pdfOut) || parser.value(o.pdfOut).isEmpty())
      return u"The print command needs --out FILE.pdf"_s;
    const QString extension = QFileInfo(parser.value(o.pdfOut)).suffix();
    if (extension.compare(u"pdf"_s, Qt::CaseInsensitive) != 0)
      return u"The print command writes .pdf files, not ."_s + extension;
  }
  return {};
}

int runCommand(const QCommandLineParser &parser, const Options &o, const Command &c, int fileType) {
  const QStringList args = parser.positionalArguments();
  if (c.name == u"model") {
    const bool ok = writeModelOfDatabase(args.at(0), parser.value(o.modelOut),
                                         {parser.values(o.tables), parser.values(o.schema)});
    return ok && !ToolFailures::any() ? Success : Failure;
  }
  if (c.name == u"design") {
    QueryTool tool({}, false);
    const std::optional<TzelDatabase> dialect =
        parser.isSet(o.dialect) ? dialectNamed(parser.value(o.dialect)) : std::nullopt;
    const bool ok =
        tool.loadModel(args.at(0)) && tool.design(args.at(1), dialect, parser.value(o.queryOut));
    return ok && !ToolFailures::any() ? Success : Failure;
  }
  const bool check = c.name == u"check";
  const QStringList params = check ? QStringList() : parser.values(o.param);
  QueryTool tool(params, !check);
  if (!tool.loadModel(args.at(0)))
    return Failure;
  const bool withQuery = args.size() > 1;
  const QString queryName = parser.isSet(o.query) ? parser.value(o.query) : QString();
  if (withQuery && !tool.loadQuery(args.at(1), queryName))
    return Failure;
  tool.chooseDatabase(parser.value(o.database));

  bool ok = false;
  if (check) {
    ok = tool.check(withQuery);
  } else if (tool.checkParamNames(params)) {
    // Straight to the descriptor, unbuffered: every write that fails (a full disk, /dev/full,
    // a closed pipe) fails where it happens, with the system's reason, and none waits for a
    // final flush whose result nobody reads.
    QFile out;
    out.setObjectName(u"standard output"_s); // the name its messages give it
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (c.name == u"sql")
      ok = tool.generate(out);
    else if (c.name == u"run")
      ok = tool.run(out, parser.value(o.format) == u"tab" ? u'\t' : u',', parser.isSet(o.names));
    else if (c.name == u"print")
      ok = tool.printTo(QFileInfo(parser.value(o.pdfOut)).absoluteFilePath());
    else
      ok = tool.exportTo(QFileInfo(parser.value(o.out)).absoluteFilePath(), fileType,
                         !parser.isSet(o.noNames));
  }
  return ok && !ToolFailures::any() ? Success : Failure;
}

// The print command's module, beside the tool's libraries (lib/ next to bin/) or the tool.
QLibrary &pdfModule() {
  static QLibrary module;
  if (module.fileName().isEmpty()) {
    const QString exeDir = QFileInfo(u"/proc/self/exe"_s).canonicalPath();
    for (const QString &dir : {exeDir + u"/../lib"_s, exeDir}) {
      module.setFileName(dir + u'/' + QLatin1String(zelPdfModuleName));
      if (module.load())
        break;
    }
  }
  return module;
}

// Printing measures and draws text, which needs the platform's fonts: only the print command
// loads the PDF module and starts the GUI application it makes (offscreen: the tool never
// shows a window).
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[]) {
  if (argc > 1 && qstrcmp(argv[1], "print") == 0) {
    if (auto make = reinterpret_cast<ZelMakeGuiApplication>(
            pdfModule().resolve(zelMakeGuiApplicationSymbol)))
      return std::unique_ptr<QCoreApplication>(make(argc, argv));
  }
  return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

std::unique_ptr<TzelRecordPrinter> makePdfPrinter(const QString &fileName) {
  auto make = reinterpret_cast<ZelMakePdfPrinter>(pdfModule().resolve(zelMakePdfPrinterSymbol));
  if (!make) {
    zelShowError(u"Error: The PDF module cannot be loaded: "_s + pdfModule().errorString());
    return nullptr;
  }
  return std::unique_ptr<TzelRecordPrinter>(make(fileName));
}

namespace {} // namespace

int main(int argc, char *argv[]) {
  const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
  QCoreApplication::setApplicationName(u"zelquery"_s);
  ToolInteraction interaction;
  zelInstallInteraction(interaction);
  installInterruptHandler();

  QStringList args = QCoreApplication::arguments();
  if (args.size() < 2)
    return usageError(u"No command given"_s, generalUsage());
  const QString name = args.takeAt(1);
  if (name == u"--help" || name == u"-h" || name == u"help") {
    return writeTo(stdout, generalUsage()) ? Success : Failure;
  }
  if (name == u"--version")
    return writeTo(stdout, u"zelquery " ZEL_VERSION "\n"_s) ? Success : Failure;
  const Command *command = findCommand(name);
  if (!command)
    return usageError(u"Unknown command "_s + name, generalUsage());

  Options options;
  QCommandLineParser parser;
  configure(parser, options, *command);
  const bool parsed = parser.parse(args);
  if (parsed && parser.isSet(options.help)) {
    return writeTo(stdout, commandUsage(parser, *command)) ? Success : Failure;
  }
  if (!parsed)
    return usageError(parser.errorText(), commandUsage(parser, *command));
  int fileType = zelExportNone;
  QString fault = commandLineFault(parser, options, *command, fileType);
  if (fault.isEmpty())
    registerAliases(parser.values(options.alias), fault);
  if (!fault.isEmpty())
    return usageError(fault, commandUsage(parser, *command));
  int status = Failure;
  // No error may end the tool unreported: it is printed and the status is 1.
  try {
    zelCatchToMessage([&] { status = runCommand(parser, options, *command, fileType); });
  } catch (const std::exception &error) {
    printError(u"Error: "_s + QString::fromLocal8Bit(error.what()));
    return Failure;
  }
  if (interrupted())
    return interruptedStatus();
  return ToolFailures::any() ? Failure : status;
}
