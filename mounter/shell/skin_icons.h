// The 125 pictures of the skin list's image list, drawn by the program at start-up: a coloured
// disc with the champion's initials for each of the 123 champions (in the icon table's order),
// a grey disc with "?" for 123 (unknown, interface) and a green eye for 124 (wards).
#pragma once

#include <windows.h>
#include <commctrl.h>

// Adds the 125 pictures, 20 by 20, to images (32-bit colour with a mask).
void addSkinIcons(HIMAGELIST images);
