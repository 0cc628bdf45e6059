// SPDX-License-Identifier: MIT
#include "demo/screenshottour.h"

#include "demo/frmmain.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int PollMs = 50;
constexpr int PollLimit = 200; // 10 s for a dialog to appear

void save(QWidget &widget, const QString &folder, const QString &name) {
  const QString file = QDir(folder).filePath(name);
  if (!widget.grab().save(file))
    std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
  else
    std::printf("%s\n", qPrintable(file));
  std::fflush(stdout);
}

// Calls act with the modal window once it is shown; it must close it.
void whenShown(const std::function<void(QWidget &)> &act, int tries = 0) {
  QWidget *modal = QApplication::activeModalWidget();
  if (modal && modal->isVisible()) {
    act(*modal);
    return;
  }
  if (tries >= PollLimit) {
    std::fprintf(stderr, "No dialog appeared\n");
    QCoreApplication::exit(1);
    return;
  }
  QTimer::singleShot(PollMs, [act, tries] { whenShown(act, tries + 1); });
}

} // namespace

bool StartScreenshotTour(TfrmMain &window) {
  const QString folder = qEnvironmentVariable("PELLOX_SCREENSHOTS");
  if (folder.isEmpty())
    return false;
  QDir().mkpath(folder);
  TfrmMain *w = &window;
  QTimer::singleShot(0, &window, [w, folder] {
    const auto goTo = [&](int number) {
      w->cmdFirstClick();
      while (w->CurrentTopic() < number)
        w->cmdNextClick();
      // All arrows shown, whatever moment the picture catches.
      w->StopAnimation();
    };
    for (int number : {1, 3, 8, 11, 16}) {
      goTo(number);
      save(*w, folder, QStringLiteral("demo-topic%1.png").arg(number, 2, 10, QLatin1Char('0')));
    }
    goTo(11);
    whenShown([folder](QWidget &workspace) {
      save(workspace, folder, QStringLiteral("demo-workspace.png"));
      workspace.close();
    });
    w->cmdQueryClick();
    goTo(8);
    whenShown([folder](QWidget &model) {
      save(model, folder, QStringLiteral("demo-datamodel.png"));
      model.close();
    });
    w->cmdModelClick();
    w->close();
  });
  return true;
}
