#pragma once
#include <QIcon>

// Pictures of the element list buttons, drawn in code.
enum class NavPicture { First, Prior, Next, Last, Add, Delete, Edit, Post, Clear };
QIcon navPicture(NavPicture kind);
