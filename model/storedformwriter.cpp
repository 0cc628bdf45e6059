// SPDX-License-Identifier: MIT
// The stored form's writer: an object tree to its text.
#include "model/storedform.h"
#include "model/storedformtext.h"

using namespace ZelStoredForm;

namespace {

class Writer {
public:
  explicit Writer(ZelChildHeader style) : m_style(style) {}

  void object(const TzelComponent &obj, int depth) {
    const QString indent(depth * 2, QLatin1Char(' '));
    m_out += indent + latin("object ");
    if (!obj.objectName().isEmpty())
      m_out += obj.objectName() + latin(": ");
    else if (m_style == ZelChildHeader::Colon)
      m_out += latin(": ");
    m_out += latin(obj.metaObject()->className()) + QLatin1Char('\n');
    properties(&obj, QString(), indent + latin("  "), 0);
    const QList<TzelComponent *> children = obj.storedChildren();
    for (const TzelComponent *child : children)
      if (child)
        object(*child, depth + 1);
    m_out += indent + latin("end\n");
  }

  QString text() const { return m_out; }

private:
  void properties(const QObject *obj, const QString &prefix, const QString &indent, int level) {
    const QMetaObject *meta = obj->metaObject();
    const auto *component = qobject_cast<const TzelComponent *>(obj);
    for (int i = 0; i < meta->propertyCount(); ++i) {
      const QMetaProperty p = meta->property(i);
      if (qstrcmp(p.name(), "objectName") == 0)
        continue;
      if (!(component ? component->isPropertyStored(p) : isStoredByDefault(obj, p)))
        continue;
      const QString name = prefix + latin(p.name());
      if (isSettingsProperty(obj, p)) {
        const QObject *sub = objectPointer(p.read(obj));
        if (sub && level < MaxSettingsDepth)
          properties(sub, name + QLatin1Char('.'), indent, level + 1);
      } else if (isObjectPointer(p)) {
        const QObject *target = objectPointer(p.read(obj));
        if (target && !target->objectName().isEmpty())
          line(indent, name, target->objectName());
      } else if (p.metaType().id() == QMetaType::QStringList) {
        list(indent, name, p.read(obj).toStringList());
      } else {
        const QString text = storedValueText(obj, p);
        if (!text.isEmpty())
          line(indent, name, text);
      }
    }
  }

  void line(const QString &indent, const QString &name, const QString &value) {
    m_out += indent;
    m_out += name;
    m_out += QLatin1String(" = ");
    m_out += value;
    m_out += QLatin1Char('\n');
  }

  // The platform's string-list form: items one per line, the ")" closing the last item.
  void list(const QString &indent, const QString &name, const QStringList &items) {
    m_out += indent + name + latin(".Strings = (");
    for (const QString &item : items)
      m_out += QLatin1Char('\n') + indent + latin("  ") + quoteText(item);
    m_out += latin(")\n");
  }

  ZelChildHeader m_style;
  QString m_out;
};

} // namespace

QString StoredFormWriter::write(const TzelComponent &root) const {
  Writer writer(m_childHeader);
  writer.object(root, 0);
  return writer.text();
}
