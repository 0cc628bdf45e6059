#pragma once
// The save-method question of the query editor's document commands ("Save changes to:" a
// component on a form, or a file). The panel calls it through this seam; the handler installed
// decides how it appears (a Qt box by default, a script in tests). File names come through the
// file dialog seam (messages/zelfiledialog.h).

#include "zelwidgets_export.h"

#include <memory>

enum class TzelSaveMethod { Form, File, No, Cancel };

class ZELWIDGETS_EXPORT TzelDocumentDialogs {
public:
  virtual ~TzelDocumentDialogs() = default;
  virtual TzelSaveMethod askSaveMethod() = 0;
};

// Installs the handler (ownership passes; null restores the Qt box) and returns the previous
// one.
ZELWIDGETS_EXPORT std::unique_ptr<TzelDocumentDialogs>
zelSetDocumentDialogs(std::unique_ptr<TzelDocumentDialogs> dialogs);
ZELWIDGETS_EXPORT TzelDocumentDialogs &zelDocumentDialogs();
