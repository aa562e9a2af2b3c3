#pragma once

#include <QHash>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace kucun {

// The texts that name a model in the log.
struct ModelKey
{
    QString category;
    QString item;
    QString model;

    bool operator==(const ModelKey &) const = default;
};

size_t qHash(const ModelKey &key, size_t seed = 0);

// A model's three texts as the files store them (UTF-8) in one string: for
// matching rows of two tables, byte for byte, without making QStrings of
// them. An absent text stores as the empty one.
std::string storedKeyOf(std::string_view category, std::string_view item, std::string_view model);
std::string storedKeyOf(const ModelKey &key);
// The same into a string kept for the next key, which spares an allocation
// for each of many rows.
void storeKeyInto(std::string &key, std::string_view category, std::string_view item,
                  std::string_view model);

// Where each model is first named in a list of keys: the log names a model
// by its three texts only, so a movement belongs to the first key with the
// same texts and to none of its later twins.
class FirstKeyIndex
{
public:
    explicit FirstKeyIndex(const std::vector<ModelKey> &keys);
    // The position of the first key equal to this one; -1 for none.
    qsizetype find(const ModelKey &key) const;

private:
    QHash<ModelKey, qsizetype> m_first;
};

} // namespace kucun
