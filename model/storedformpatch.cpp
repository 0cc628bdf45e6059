// SPDX-License-Identifier: MIT
#include "model/storedformpatch.h"

#include "messages/zelerror.h"
#include "model/storedform.h"
#include "model/zelregistry.h"

#include <QMultiHash>

namespace {

// A stored form cut at its top-level children: the writer indents a child's "object" and
// "end" lines by two spaces, everything inside them further.
struct FormParts {
  QStringView head;            // the header and the design's own property lines
  QList<QStringView> children; // each child from its "  object" line to its "  end" line
};

FormParts splitForm(QStringView text) {
  FormParts parts;
  qsizetype headEnd = -1;
  qsizetype childStart = -1;
  qsizetype pos = 0;
  while (pos < text.size()) {
    qsizetype next = text.indexOf(u'\n', pos);
    next = next < 0 ? text.size() : next + 1;
    const QStringView line = text.mid(pos, next - pos);
    if (childStart < 0 && line.startsWith(u"  object ")) {
      childStart = pos;
      if (headEnd < 0)
        headEnd = pos;
    } else if (childStart >= 0 && (line == u"  end\n" || line == u"  end")) {
      parts.children.append(text.mid(childStart, next - childStart));
      childStart = -1;
    }
    pos = next;
  }
  if (headEnd < 0) // no children: everything but the design's own "end" line
    headEnd = text.trimmed().lastIndexOf(u'\n') + 1;
  parts.head = text.left(headEnd);
  return parts;
}

// Sets every property of the target to the value it has on a fresh object of its class
// (settings objects property by property), so a value a stored form leaves out because it is
// the default is the default again before the form is read.
void resetToFreshProperties(QObject &target, const QObject &fresh) {
  const QMetaObject *meta = target.metaObject();
  for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
    const QMetaProperty property = meta->property(i);
    if (isSettingsProperty(&target, property)) {
      QObject *settings = property.read(&target).value<QObject *>();
      const QObject *freshSettings = property.read(&fresh).value<QObject *>();
      if (settings && freshSettings)
        resetToFreshProperties(*settings, *freshSettings);
      continue;
    }
    if (property.isWritable())
      property.write(&target, property.read(&fresh));
  }
}

std::unique_ptr<TzelComponent> freshOf(const TzelComponent &design) {
  const QString name = QString::fromLatin1(design.metaObject()->className());
  std::unique_ptr<TzelComponent> fresh(ZelRegistry::instance().create(name));
  if (!fresh)
    throw EzelError(QStringLiteral("Error: Unknown class [") + name + u']');
  return fresh;
}

// The design's own properties as `head` gives them, read only after the text proved sound.
void readProperties(TzelComponent &design, QStringView head) {
  const QString text = head.toString() + QStringLiteral("end\n");
  StoredFormReader().read(text);
  resetToFreshProperties(design, *freshOf(design));
  StoredFormReader().readInto(&design, text);
}

} // namespace

ZelFormPatch patchStoredForm(TzelComponent &design, const QString &from, const QString &to) {
  const FormParts was = splitForm(from);
  const FormParts will = splitForm(to);
  const QList<TzelComponent *> present = design.storedChildren();
  if (present.size() != was.children.size())
    throw EzelError(QStringLiteral("Error: The design does not match its stored form"));
  QMultiHash<QStringView, TzelComponent *> byText;
  byText.reserve(present.size());
  for (qsizetype i = 0; i < present.size(); ++i)
    byText.insert(was.children[i], present[i]);

  // The new children are read before anything changes: a faulty text leaves the design alone.
  ZelFormPatch patch;
  QList<TzelComponent *> children;
  std::vector<std::unique_ptr<TzelComponent>> made;
  const StoredFormReader reader;
  for (QStringView block : will.children) {
    if (const auto same = byText.constFind(block); same != byText.cend()) {
      children.append(same.value());
      patch.kept.insert(same.value());
      byText.erase(same);
      continue;
    }
    made.push_back(reader.read(block.toString()));
    children.append(made.back().get());
    patch.added.insert(made.back().get());
  }
  if (was.head != will.head) {
    readProperties(design, will.head);
    patch.propertiesChanged = true;
  }
  if (!design.replaceStoredChildren(children, patch.released))
    throw EzelError(QStringLiteral("Error: The design does not take its stored children"));
  for (std::unique_ptr<TzelComponent> &child : made)
    (void)child.release(); // the design owns them now
  return patch;
}
