#include "ModelKey.h"

namespace kucun {

size_t qHash(const ModelKey &key, size_t seed)
{
    return qHashMulti(seed, key.category, key.item, key.model);
}

void storeKeyInto(std::string &key, std::string_view category, std::string_view item,
                  std::string_view model)
{
    key.clear();
    // A stored text holds no NUL, so NUL parts the texts unmistakably.
    key.append(category).append(1, '\0').append(item).append(1, '\0').append(model);
}

std::string storedKeyOf(std::string_view category, std::string_view item, std::string_view model)
{
    std::string key;
    storeKeyInto(key, category, item, model);
    return key;
}

std::string storedKeyOf(const ModelKey &key)
{
    return storedKeyOf(key.category.toStdString(), key.item.toStdString(), key.model.toStdString());
}

FirstKeyIndex::FirstKeyIndex(const std::vector<ModelKey> &keys)
{
    m_first.reserve(qsizetype(keys.size()));
    // Backwards, so that the first of equal keys is written last.
    for (qsizetype index = qsizetype(keys.size()) - 1; index >= 0; --index) {
        m_first.insert(keys[size_t(index)], index);
    }
}

qsizetype FirstKeyIndex::find(const ModelKey &key) const
{
    return m_first.value(key, -1);
}

} // namespace kucun
