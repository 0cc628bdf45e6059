#include "database/exportsource.h"

#include "database/zeldataset.h"
#include "messages/zelmessages.h"

bool zelCheckExportSource(const TzelDataset &dataset) {
  if (dataset.Active() && dataset.FieldCount() > 0)
    return true;
  zelShowError(QStringLiteral("Error: There are no records to export: the query has not run, "
                              "or its statement failed."));
  return false;
}
