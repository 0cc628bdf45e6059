// A host for the query editor's input tests: the workspace on "Step 1" over the sample data,
// with saving on, so that Save As runs the real file dialog. The layout preference goes where
// XDG_CONFIG_HOME says, which the test points at a folder of its own.

#include "database/zeldataset.h"
#include "database/zelsession.h"
#include "editors/zelquerydialog.h"
#include "engine/frmzelprompts.h"
#include "messages/guiapplication.h"
#include "messages/guimessages.h"
#include "model/storedform.h"

#include <QTimer>

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
  TzelQueryDialog dialog;
  dialog.setObjectName(QStringLiteral("zelQueryDialog1"));
  dialog.SetQuerion(&querion);
  QTimer::singleShot(0, &app, [&] {
    dialog.Execute();
    QCoreApplication::quit();
  });
  return app.exec();
}
