#pragma once

#include <QHash>
#include <QString>

class QObject;
class QWidget;

// Creates every control of the design table on the window, by name, with its design values:
// widgets back to front so the stacking comes out as designed, and tab order by tab index.
QHash<QString, QObject*> CreateControls(QWidget& window);
