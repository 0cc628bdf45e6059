#pragma once
// The file dialogs and the save-method question of the query editor's document commands.
// The panel calls these functions only; the handler installed decides how they appear
// (Qt dialogs by default, a script in tests).

#include <QString>
#include <memory>

struct TzelFileRequest {
  QString title;
  QString filter; // "Query (*.zel)|*.zel|All Files (*.*)|*.*": caption|pattern pairs
  QString folder;
  QString fileName;
};

// Where a save goes: the answer of the save-method question.
enum class TzelSaveMethod { Form, File, No, Cancel };

class TzelDocumentDialogs {
public:
  virtual ~TzelDocumentDialogs() = default;
  // True with the chosen name; false when cancelled. The open dialog accepts only an existing
  // file; the save dialog asks before overwriting and needs an existing folder.
  virtual bool openFileName(const TzelFileRequest &request, QString &chosen) = 0;
  virtual bool saveFileName(const TzelFileRequest &request, QString &chosen) = 0;
  // "Save changes to:" a component on a form, or an operating system file.
  virtual TzelSaveMethod askSaveMethod() = 0;
};

// Installs the handler (ownership passes; null restores the Qt dialogs) and returns the
// previous one.
std::unique_ptr<TzelDocumentDialogs>
zelSetDocumentDialogs(std::unique_ptr<TzelDocumentDialogs> dialogs);
TzelDocumentDialogs &zelDocumentDialogs();
// The Qt form of a dialog filter: "Query (*.zel);;All Files (*.*)".
QString zelQtFileFilter(const QString &filter);
