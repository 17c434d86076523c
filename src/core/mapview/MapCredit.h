#pragma once
// The credit a map owes (its tiles' attribution), drawn small but readable in the bottom-right
// corner of every frame and of the map view.

#include <QPainter>
#include <QString>

// Draws `text` in the bottom-right corner of `area` on a light box; its size follows the area's
// height (11 pixels at least, 18 at 1080 lines).
void paintAttribution(QPainter& p, const QString& text, const QRect& area);
