// SPDX-License-Identifier: MIT
// The stored form's reader: the parser's tree of blocks built into objects.
#include "model/storedform.h"
#include "model/storedformparser.h"
#include "model/storedformtext.h"

#include "model/zelregistry.h"
#include "model/zeltypes.h"

#include <QHash>
#include <QMetaEnum>
#include <QPointer>
#include <cstring>
#include <limits>

using namespace ZelStoredForm;

namespace {

QVariant enumVariant(QMetaType type, qint64 raw) {
  QVariant v(type, nullptr);
  void *d = v.data();
  const qsizetype size = type.sizeOf();
  const qint8 v1 = qint8(raw);
  const qint16 v2 = qint16(raw);
  const qint32 v4 = qint32(raw);
  if (size == 1)
    std::memcpy(d, &v1, 1);
  else if (size == 2)
    std::memcpy(d, &v2, 2);
  else if (size == 4)
    std::memcpy(d, &v4, 4);
  else if (size == 8)
    std::memcpy(d, &raw, 8);
  return v;
}

struct Made {
  QPointer<TzelComponent> object;
  int line = 0;
  std::vector<QPointer<TzelComponent>> settings; // settings components touched
  std::vector<Made> children;
};

struct Fixup {
  QPointer<QObject> holder;
  QMetaProperty property;
  QString name;
  int line;
};

QString className(const QObject *o) {
  return latin(o->metaObject()->className());
}

class Builder {
public:
  explicit Builder(const StoredFormReader::Resolver &resolver) : m_resolver(resolver) {}

  std::unique_ptr<TzelComponent> build(const Block &root) {
    std::unique_ptr<TzelComponent> object(create(root));
    fill(object.get(), root);
    return object;
  }

  // Reads the block into an existing object: properties, children, loaded().
  void fill(TzelComponent *object, const Block &root) {
    Made made;
    apply(object, root, made);
    fixReferences();
    finish(made);
  }

private:
  static TzelComponent *create(const Block &block) {
    TzelComponent *object = ZelRegistry::instance().create(block.className);
    if (!object)
      fail(block.line, latin("Unknown class [") + block.className + latin("]"));
    object->setLoading(true);
    return object;
  }

  void apply(TzelComponent *object, const Block &block, Made &made) {
    made.object = object;
    made.line = block.line;
    object->setLoading(true);
    if (!block.name.isEmpty()) {
      object->setObjectName(block.name);
      m_named.insert(block.name.toLower(), object);
    }
    for (const PropertyLine &p : block.properties) {
      setProperty(object, p, made);
      if (!made.object)
        fail(p.line, latin("The object was destroyed while it was read"));
    }
    for (const auto &childBlock : block.children) {
      TzelComponent *child = create(*childBlock);
      QPointer<TzelComponent> guard(child);
      bool attached = false;
      try {
        attached = object->attachStoredChild(child);
      } catch (const std::exception &e) {
        if (guard && !guard->parent())
          delete child;
        fail(childBlock->line, message(e));
      }
      if (!attached) {
        delete child;
        fail(childBlock->line, className(object) + latin(" cannot hold a ") +
                                   childBlock->className + latin(" object"));
      }
      made.children.emplace_back();
      if (!guard)
        fail(childBlock->line, latin("The object was destroyed while it was read"));
      apply(child, *childBlock, made.children.back());
    }
  }

  static QString message(const std::exception &e) {
    if (const auto *z = dynamic_cast<const EzelError *>(&e))
      return withoutErrorPrefix(z->message());
    return QString::fromUtf8(e.what());
  }

  // The property of that name, the exact spelling first, else any spelling; remembered per
  // class, since every object of a class names the same few properties.
  bool findProperty(const QObject *holder, const QString &name, QMetaProperty &out) {
    const QMetaObject *meta = holder->metaObject();
    QHash<QString, QMetaProperty> &known = m_properties[meta];
    if (const auto it = known.constFind(name); it != known.cend()) {
      out = *it;
      return out.isValid();
    }
    QMetaProperty found;
    for (int i = 0; i < meta->propertyCount(); ++i) {
      const char *candidate = meta->property(i).name();
      if (qstrcmp(candidate, "objectName") == 0)
        continue;
      if (name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0) {
        found = meta->property(i);
        if (name == QLatin1String(candidate))
          break;
      }
    }
    known.insert(name, found);
    out = found;
    return out.isValid();
  }

  void setProperty(TzelComponent *object, const PropertyLine &line, Made &made) {
    QStringList path = line.name.contains(QLatin1Char('.')) ? line.name.split(QLatin1Char('.'))
                                                            : QStringList{line.name};
    if (line.value.kind == Value::List && path.size() > 1 && path.last() == latin("Strings"))
      path.removeLast();
    QObject *holder = object;
    const auto unknown = [&] {
      fail(line.line, latin("Unknown property [") + line.name + latin("] of ") + className(object));
    };
    for (qsizetype i = 0; i + 1 < path.size(); ++i) {
      QMetaProperty p;
      if (!findProperty(holder, path.at(i), p) || !isSettingsProperty(holder, p))
        unknown();
      holder = objectPointer(p.read(holder));
      if (!holder)
        unknown();
      if (auto *settings = qobject_cast<TzelComponent *>(holder);
          settings && !settings->isLoading()) {
        settings->setLoading(true);
        made.settings.push_back(settings);
      }
    }
    QMetaProperty p;
    if (!findProperty(holder, path.last(), p))
      unknown();
    if (!p.isWritable() || isSettingsProperty(holder, p))
      fail(line.line, latin("Property [") + line.name + latin("] of ") + className(object) +
                          latin(" cannot be set"));
    if (isObjectPointer(p)) {
      if (line.value.kind != Value::Identifier)
        invalid(line, object);
      m_fixups.push_back({holder, p, line.value.text, line.line});
      return;
    }
    write(holder, p, convert(p, line, object), line.line, [&] { invalid(line, object); });
  }

  template <typename OnFalse>
  static void write(QObject *holder, const QMetaProperty &p, const QVariant &value, int line,
                    OnFalse onFalse) {
    bool ok = false;
    try {
      ok = p.write(holder, value);
    } catch (const std::exception &e) {
      fail(line, message(e));
    }
    if (!ok)
      onFalse();
  }

  [[noreturn]] static void invalid(const PropertyLine &line, const QObject *object) {
    fail(line.line, latin("Invalid value [") + echo(line.value.raw) + latin("] of property [") +
                        line.name + latin("] of ") + className(object));
  }

  static int enumKey(const QMetaEnum &e, const QString &name, bool &ok) {
    ok = true;
    for (int k = 0; k < e.keyCount(); ++k)
      if (name == QLatin1String(e.key(k)))
        return e.value(k);
    for (int k = 0; k < e.keyCount(); ++k)
      if (name.compare(QLatin1String(e.key(k)), Qt::CaseInsensitive) == 0)
        return e.value(k);
    ok = false;
    return 0;
  }

  static bool inRange(int typeId, qint64 v) {
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::Long:
      return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
    case QMetaType::UInt:
    case QMetaType::ULong:
      return v >= 0 && v <= std::numeric_limits<quint32>::max();
    case QMetaType::Short:
      return v >= -32768 && v <= 32767;
    case QMetaType::UShort:
      return v >= 0 && v <= 65535;
    case QMetaType::SChar:
    case QMetaType::Char:
      return v >= -128 && v <= 127;
    case QMetaType::UChar:
      return v >= 0 && v <= 255;
    case QMetaType::ULongLong:
      return v >= 0;
    default:
      return true;
    }
  }

  static QVariant convert(const QMetaProperty &p, const PropertyLine &line, const QObject *object) {
    const Value &v = line.value;
    const QMetaType type = p.metaType();
    if (p.isEnumType()) {
      const QMetaEnum e = p.enumerator();
      const auto notAValue = [&](const QString &name) {
        fail(line.line, latin("[") + name + latin("] is not a value of ") + latin(e.name()));
      };
      bool ok = false;
      if (p.isFlagType()) {
        if (v.kind != Value::Set)
          invalid(line, object);
        qint64 bits = 0;
        for (const QString &name : v.items) {
          bits |= enumKey(e, name, ok);
          if (!ok)
            notAValue(name);
        }
        return enumVariant(type, bits);
      }
      if (v.kind != Value::Identifier)
        invalid(line, object);
      const int value = enumKey(e, v.text, ok);
      if (!ok)
        notAValue(v.text);
      return enumVariant(type, value);
    }
    const int id = type.id();
    switch (id) {
    case QMetaType::Bool:
      if (v.kind == Value::Identifier && v.text.compare(latin("True"), Qt::CaseInsensitive) == 0)
        return true;
      if (v.kind == Value::Identifier && v.text.compare(latin("False"), Qt::CaseInsensitive) == 0)
        return false;
      invalid(line, object);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
      if (v.kind != Value::Integer || !inRange(id, v.integer))
        invalid(line, object);
      QVariant result(qlonglong(v.integer));
      if (!result.convert(type))
        invalid(line, object);
      return result;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
      if (v.kind != Value::Integer && v.kind != Value::Float)
        invalid(line, object);
      QVariant result(v.number);
      result.convert(type);
      return result;
    }
    case QMetaType::QString:
      if (v.kind != Value::String)
        invalid(line, object);
      return v.text;
    case QMetaType::QChar:
      if (v.kind != Value::String || v.text.size() != 1)
        invalid(line, object);
      return v.text.at(0);
    case QMetaType::QStringList:
      if (v.kind != Value::List)
        invalid(line, object);
      return v.items;
    default:
      if (v.kind == Value::String && QMetaType::canConvert(QMetaType::fromType<QString>(), type)) {
        QVariant result(v.text);
        if (result.convert(type))
          return result;
      }
      invalid(line, object);
    }
  }

  void fixReferences() {
    for (const Fixup &f : m_fixups) {
      QObject *target = m_named.value(f.name.toLower());
      if (!target && m_resolver)
        target = m_resolver(f.name);
      if (!target)
        fail(f.line, latin("Unknown component [") + f.name + latin("]"));
      if (!f.holder)
        fail(f.line, latin("The object was destroyed while it was read"));
      const QMetaObject *wanted = f.property.metaType().metaObject();
      if (wanted && !target->metaObject()->inherits(wanted))
        fail(f.line, latin("[") + f.name + latin("] is not a ") + latin(wanted->className()));
      write(f.holder, f.property, QVariant(f.property.metaType(), &target), f.line, [&] {
        fail(f.line, latin("Invalid value [") + f.name + latin("] of property [") +
                         latin(f.property.name()) + latin("]"));
      });
    }
  }

  // loaded() runs children first; each object leaves its loading state after its own.
  static void finish(Made &made) {
    for (Made &child : made.children)
      finish(child);
    try {
      for (const QPointer<TzelComponent> &s : made.settings)
        if (s) {
          s->loaded();
          s->setLoading(false);
        }
      if (made.object) {
        made.object->loaded();
        made.object->setLoading(false);
      }
    } catch (const std::exception &e) {
      fail(made.line, message(e));
    }
  }

  const StoredFormReader::Resolver &m_resolver;
  QHash<const QMetaObject *, QHash<QString, QMetaProperty>> m_properties;
  QHash<QString, QPointer<QObject>> m_named;
  std::vector<Fixup> m_fixups;
};

} // namespace

std::unique_ptr<TzelComponent> StoredFormReader::read(const QString &text) const {
  const std::unique_ptr<Block> root = parseText(text);
  return Builder(m_resolver).build(*root);
}

std::unique_ptr<TzelComponent> StoredFormReader::read(const QByteArray &utf8) const {
  return read(decodeUtf8(utf8));
}

void StoredFormReader::readInto(TzelComponent *target, const QString &text) const {
  if (!target)
    throw EzelError(latin("Error: No object to read into"));
  const std::unique_ptr<Block> root = parseText(text);
  const QMetaObject *named = ZelRegistry::instance().metaObject(root->className);
  if (!named)
    fail(root->line, latin("Unknown class [") + root->className + latin("]"));
  if (!target->metaObject()->inherits(named))
    fail(root->line,
         latin("The text holds a ") + root->className + latin(", not a ") + className(target));
  {
    std::unique_ptr<TzelComponent> fresh(ZelRegistry::instance().create(className(target)));
    if (!fresh)
      fail(root->line, latin("Unknown class [") + className(target) + latin("]"));
    Builder(m_resolver).fill(fresh.get(), *root);
  }
  try {
    Builder(m_resolver).fill(target, *root);
  } catch (...) {
    target->setLoading(false);
    throw;
  }
}
