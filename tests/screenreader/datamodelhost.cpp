// A host program for the data model window tests: the sample model shown in the data model
// window through the data model dialog component, with ReadOnly set (or not, with the
// argument "edit"). With the argument "arrange" it shows instead the joins editor over
// "Step 1" with its tables arranged.

#include "editors/joinseditor.h"
#include "editors/zeldatamodeldialog.h"
#include "engine/zelquerion.h"
#include "messages/guiapplication.h"
#include "messages/guimessages.h"
#include "model/storedform.h"
#include "model/zelquery.h"

#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[]) {
  GuardedApplication app(argc, argv);
  zelInstallGuiMessages();
  const QString examples = QStringLiteral(ZEL_SOURCE_DIR "/examples/");
  std::unique_ptr<TzelComponent> read =
      StoredFormReader().read(loadStoredFormFile(examples + QStringLiteral("pellox-model.txt")));
  auto *model = qobject_cast<TzelModel *>(read.get());
  if (!model)
    return 2;
  if (app.arguments().contains(QStringLiteral("arrange"))) {
    TzelQuerion querion;
    querion.SetDataModel(model);
    if (!querion.LoadFromFile(examples + QStringLiteral("step1.zel")))
      return 2;
    TzelJoinsEditor editor;
    editor.setWindowTitle(QStringLiteral("Step 1 arranged"));
    editor.resize(930, 320);
    editor.SetModel(model);
    editor.show();
    editor.SetSchema(querion.CurrentQuery());
    editor.ArrangeTables();
    return app.exec();
  }
  TzelDataModelDialog dialog;
  dialog.setObjectName(QStringLiteral("zelDataModelDialog1"));
  dialog.SetDataModel(model);
  dialog.SetReadOnly(!app.arguments().contains(QStringLiteral("edit")));
  QTimer::singleShot(0, &app, [&] {
    dialog.Execute();
    std::printf("--- CLOSED %s\n", dialog.Changed() ? "changed" : "unchanged");
    std::fflush(stdout);
    QCoreApplication::quit();
  });
  return app.exec();
}
