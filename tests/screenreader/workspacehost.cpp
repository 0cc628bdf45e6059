// SPDX-License-Identifier: MIT
// The host program of the window tests under a real X server: the sample model over the sample
// tables and "Step 1" in a query component. Its first argument chooses what it shows:
//   (none)       the workspace through the query dialog component, saving off; it prints the
//                statement the component generates between marker lines first, so that a test
//                can compare it with what the SQL tab says;
//   edit         the workspace with saving on; query files go to the folder ZEL_EDIT_FOLDER
//                names (when set);
//   model        the data model window through its dialog component (after its warning that
//                changes are lost); it prints "--- CLOSED changed" or "--- CLOSED unchanged"
//                when the window closes;
//   model-readonly  the same with ReadOnly set;
//   arrange      the joins editor alone over "Step 1" with its tables arranged;
//   model-big    the data model window over a generated model of 3,000 tables of 10 fields
//                and 4,000 joins.

#include "../support/gridmodel.h"
#include "database/zeldataset.h"
#include "database/zelsession.h"
#include "dialogs/guiapplication.h"
#include "dialogs/guiinteraction.h"
#include "editors/frmzeldatamodel.h"
#include "editors/joinseditor.h"
#include "editors/zeldatamodeldialog.h"
#include "model/storedform.h"
#include "model/zelquery.h"
#include "workspace/queryprompts.h"
#include "workspace/zelquerydialog.h"

#include <QTimer>
#include <cstdio>

namespace {

const QString kExamples = QStringLiteral(ZEL_SOURCE_DIR "/examples/");

int showModel(QCoreApplication &app, TzelModel *model, bool readOnly) {
  TzelDataModelDialog dialog;
  dialog.setObjectName(QStringLiteral("zelDataModelDialog1"));
  dialog.SetDataModel(model);
  dialog.SetReadOnly(readOnly);
  QTimer::singleShot(0, &app, [&] {
    dialog.Execute();
    std::printf("--- CLOSED %s\n", dialog.Changed() ? "changed" : "unchanged");
    std::fflush(stdout);
    QCoreApplication::quit();
  });
  return app.exec();
}

int showArranged(QCoreApplication &app, TzelModel *model, TzelQuerion &querion) {
  TzelJoinsEditor editor;
  editor.setWindowTitle(QStringLiteral("Step 1 arranged"));
  editor.resize(930, 320);
  editor.SetModel(model);
  editor.show();
  editor.SetSchema(querion.CurrentQuery());
  editor.ArrangeTables();
  return app.exec();
}

int showBigModel(QCoreApplication &app) {
  TzelModel model;
  fillGridModel(model, 3000);
  TfrmZelDataModel window;
  window.zelJoinsEditor->SetModel(&model);
  window.zelJoinsEditor->SetSchema(&model);
  window.setGeometry(40, 40, 1000, 700);
  window.show();
  QObject::connect(&window, &QDialog::finished, &app, &QCoreApplication::quit);
  return app.exec();
}

void printStatement(TzelModel *model, TzelQuerion &querion) {
  TzelQuerion probe;
  probe.SetDataModel(model);
  probe.Assign(&querion);
  if (!probe.GenerateSQL())
    std::exit(2);
  std::printf("--- SQL\n%s\n--- END\n", qPrintable(probe.SQL().join(QLatin1Char('\n'))));
  std::fflush(stdout);
}

int showWorkspace(QCoreApplication &app, TzelModel *model, TzelQuerion &querion, bool edit) {
  TzelQueryDialog dialog;
  dialog.setObjectName(QStringLiteral("zelQueryDialog1"));
  dialog.SetQuerion(&querion);
  if (edit && qEnvironmentVariableIsSet("ZEL_EDIT_FOLDER"))
    model->SetDefaultFolder(qEnvironmentVariable("ZEL_EDIT_FOLDER"));
  dialog.SetEnableSave(edit); // otherwise the test closes the window without a question
  QTimer::singleShot(0, &app, [&] {
    dialog.Execute();
    QCoreApplication::quit();
  });
  return app.exec();
}

} // namespace

int main(int argc, char *argv[]) {
  GuardedApplication app(argc, argv);
  zelInstallGui(app);
  zelInstallQueryPrompts();
  const QString mode = app.arguments().value(1);
  const QString data = QCoreApplication::applicationDirPath() + QStringLiteral("/Data");
  TzelSession::defaultSession().registerAlias(
      {QStringLiteral("PELLOX"), QStringLiteral("STANDARD"), {QStringLiteral("PATH=") + data}});

  if (mode == QStringLiteral("model-big"))
    return showBigModel(app);
  std::unique_ptr<TzelComponent> read =
      StoredFormReader().read(loadStoredFormFile(kExamples + QStringLiteral("pellox-model.txt")));
  auto *model = qobject_cast<TzelModel *>(read.get());
  if (!model)
    return 2;
  if (mode.startsWith(QStringLiteral("model")))
    return showModel(app, model, mode == QStringLiteral("model-readonly"));

  TzelDataset dataset;
  dataset.setDatabaseName(QStringLiteral("PELLOX"));
  TzelQuerion querion;
  querion.setObjectName(QStringLiteral("zelQuerion1"));
  querion.SetDataModel(model);
  querion.SetDataQuery(&dataset);
  if (!querion.LoadFromFile(kExamples + QStringLiteral("step1.zel")))
    return 2;
  if (mode == QStringLiteral("arrange"))
    return showArranged(app, model, querion);
  if (mode.isEmpty())
    printStatement(model, querion);
  return showWorkspace(app, model, querion, mode == QStringLiteral("edit"));
}
