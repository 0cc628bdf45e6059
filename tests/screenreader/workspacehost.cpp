// A small host program for the screen-reader test: the sample model over the sample tables,
// "Step 1" in a query component, and the workspace opened through the query dialog
// component at start (or, with the argument "model", the data model window through the data
// model dialog component; with "edit", the workspace with saving allowed and the query files in
// the folder named by ZEL_EDIT_FOLDER). It prints the statement the component generates, between marker
// lines, so that the test can compare it with what the SQL tab says.

#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "database/zelsession.h"
#include "editors/zeldatamodeldialog.h"
#include "editors/zelquerydialog.h"
#include "engine/frmzelprompts.h"
#include "messages/guiapplication.h"
#include "messages/guimessages.h"
#include "model/storedform.h"

#include <QDir>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[]) {
  GuardedApplication app(argc, argv);
  zelInstallGuiMessages();
  zelInstallQueryPrompts();
  const QString examples = QStringLiteral(ZEL_SOURCE_DIR "/examples/");
  const QString data = QCoreApplication::applicationDirPath() + QStringLiteral("/Data");
  TzelSession::defaultSession().registerAlias(
      {QStringLiteral("PELLOX"), QStringLiteral("STANDARD"), {QStringLiteral("PATH=") + data}});

  std::unique_ptr<TzelComponent> read =
      StoredFormReader().read(loadStoredFormFile(examples + QStringLiteral("pellox-model.txt")));
  auto *model = qobject_cast<TzelModel *>(read.get());
  if (!model)
    return 2;
  TzelDataset dataset;
  dataset.setDatabaseName(QStringLiteral("PELLOX"));
  TzelQuerion querion;
  querion.setObjectName(QStringLiteral("zelQuerion1"));
  querion.SetDataModel(model);
  querion.SetDataQuery(&dataset);
  if (!querion.LoadFromFile(examples + QStringLiteral("step1.zel")))
    return 2;
  {
    TzelQuerion probe;
    probe.SetDataModel(model);
    probe.Assign(&querion);
    if (!probe.GenerateSQL())
      return 2;
    std::printf("--- SQL\n%s\n--- END\n", qPrintable(probe.SQL().join(QLatin1Char('\n'))));
    std::fflush(stdout);
  }
  if (app.arguments().contains(QStringLiteral("model"))) {
    TzelDataModelDialog modelDialog;
    modelDialog.setObjectName(QStringLiteral("zelDataModelDialog1"));
    modelDialog.SetDataModel(model);
    QTimer::singleShot(0, &app, [&] {
      modelDialog.Execute();
      QCoreApplication::quit();
    });
    return app.exec();
  }
  TzelQueryDialog dialog;
  dialog.setObjectName(QStringLiteral("zelQueryDialog1"));
  dialog.SetQuerion(&querion);
  const bool edit = app.arguments().contains(QStringLiteral("edit"));
  if (edit)
    model->SetDefaultFolder(qEnvironmentVariable("ZEL_EDIT_FOLDER"));
  dialog.SetEnableSave(edit); // otherwise the test closes the window without a question
  QTimer::singleShot(0, &app, [&] {
    dialog.Execute();
    QCoreApplication::quit();
  });
  return app.exec();
}
