#pragma once
// What every export of a dataset's records checks first.

class TzelDataset;

// True when the dataset is open with fields, so that there are records to give (an empty
// result still gives its field names). Otherwise (closed: nothing ran, or its statement
// failed) the refusal is shown through the message seam and the result is false.
bool zelCheckExportSource(const TzelDataset &dataset);
