// SPDX-License-Identifier: MIT
#pragma once
// The non-visual components of the host, wired as a form would hold them: the data model
// read from its stored form, the dataset the statements run on and the query component
// bound to both, holding the sample query "Step 1".

#include "database/zeldataset.h"
#include "engine/zelquerion.h"
#include "model/zelmodel.h"
#include "model/zeltypes.h"

#include <QString>
#include <memory>

class HostComponents {
public:
  // Reads pellox-model.txt and step1.zel from the folder and makes its Data folder the
  // model's database PELLOX. Throws EzelError when the model cannot be read.
  explicit HostComponents(const QString &examplesFolder);
  ~HostComponents();
  HostComponents(const HostComponents &) = delete;
  HostComponents &operator=(const HostComponents &) = delete;

  TzelQuerion &querion() { return m_querion; }
  TzelDataset &dataset() { return m_dataset; }

  // Runs the current query into the dataset; problems are shown through the message
  // handler and give false.
  bool run() { return m_querion.Execute(); }

private:
  std::unique_ptr<TzelModel> m_model;
  TzelDataset m_dataset;
  TzelQuerion m_querion; // last, so that it goes first
};
