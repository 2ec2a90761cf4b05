#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon: a small board of coloured agent tiles on a dark blue ground.
QPixmap programIconPixmap(int size);
QIcon programIcon();
