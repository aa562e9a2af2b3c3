#pragma once

#include <QString>
#include <optional>

namespace kucun {

// Every message box and input box of the program goes through this
// interface, so that tests can answer them from a script.
class Dialogs
{
public:
    // Icon codes of a message box.
    enum Icon
    {
        NoIcon = 0,
        Error = 16,
        Question = 32,
        Warning = 48,
        Information = 64
    };

    // The buttons of a message box.
    enum class Buttons
    {
        Ok,
        OkCancel
    };

    virtual ~Dialogs() = default;
    // A message box with its icon. Returns true for OK.
    virtual bool message(const QString &text, const QString &caption, Icon icon,
                         Buttons buttons) = 0;
    // An input box; std::nullopt when cancelled.
    virtual std::optional<QString> input(const QString &prompt, const QString &caption,
                                         const QString &initialText, bool password) = 0;
    // A folder chooser starting in a folder; std::nullopt when cancelled.
    virtual std::optional<QString> chooseFolder(const QString &caption,
                                                const QString &startFolder) = 0;
};

} // namespace kucun
