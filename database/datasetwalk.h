// SPDX-License-Identifier: MIT
#pragma once
// Suspends a dataset's attached controls while its records are walked, so the grid is not
// repainted at every move; on leaving the scope the dataset goes back to its first record
// and its controls are resumed, whatever ended the walk.

#include "database/zeldataset.h"
#include "zelcore_export.h"

class ZELCORE_EXPORT TzelDatasetWalk {
public:
  explicit TzelDatasetWalk(TzelDataset &dataset) : m_dataset(dataset) {
    m_dataset.DisableControls();
  }
  ~TzelDatasetWalk() {
    m_dataset.First();
    m_dataset.EnableControls();
  }
  TzelDatasetWalk(const TzelDatasetWalk &) = delete;
  TzelDatasetWalk &operator=(const TzelDatasetWalk &) = delete;

private:
  TzelDataset &m_dataset;
};
