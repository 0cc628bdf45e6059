// SPDX-License-Identifier: MIT
#include "messages/zelfiledialog.h"

#include "messages/zelinteraction.h"

bool zelSaveFileName(const TzelFileRequest &request, QString &fileName) {
  return zelInteraction().saveFileName(request, fileName);
}

bool zelOpenFileName(const TzelFileRequest &request, QString &fileName) {
  return zelInteraction().openFileName(request, fileName);
}
