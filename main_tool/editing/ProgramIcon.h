// The program's icon, drawn once: a small cash register.
#pragma once

#include <QIcon>

const QIcon& ProgramIcon();
