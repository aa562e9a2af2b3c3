#pragma once

#include <QIcon>
#include <QList>

namespace kucun {

// Indexes into the image list of the log lists.
enum class MovementIcon : qint16
{
    Out = 0,
    In = 1
};

// Image 0 marks a stock-out, image 1 a stock-in.
const QList<QIcon> &movementIcons();

} // namespace kucun
