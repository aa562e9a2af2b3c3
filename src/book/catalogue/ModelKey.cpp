#include "ModelKey.h"

namespace kucun {

size_t qHash(const ModelKey &key, size_t seed)
{
    return qHashMulti(seed, key.category, key.item, key.model);
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
