#pragma once

#include <QString>
#include <QStringList>
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

    // The file a save dialog was left with, and the index of the type chosen
    // among those it offered.
    struct SaveChoice
    {
        QString path;
        int type = 0;
    };

    // What a count-and-option dialog was left with: the count, and the index
    // of the option chosen among those offered.
    struct CountChoice
    {
        int count = 1;
        int option = 0;
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
    // A save dialog starting in a folder with a proposed file name and the
    // types to save as ("Excel 工作簿 (*.xlsx)"); it asks before it lets an
    // existing file be chosen. std::nullopt when cancelled.
    virtual std::optional<SaveChoice> chooseSaveFile(const QString &caption,
                                                     const QString &startFolder,
                                                     const QString &proposedName,
                                                     const QStringList &types) = 0;
    // A dialog asking for a count from 1 to `most` (starting at 1) and one
    // of the options (starting at the first), each under its prompt;
    // std::nullopt when cancelled.
    virtual std::optional<CountChoice> chooseCountAndOption(const QString &caption,
                                                            const QString &countPrompt, int most,
                                                            const QString &optionPrompt,
                                                            const QStringList &options) = 0;
};

} // namespace kucun
