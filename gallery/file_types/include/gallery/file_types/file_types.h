// Registering the gallery as the program that opens pictures, and giving
// the extensions back the classes they had before.
#pragma once

#include <string_view>

namespace gallery {

// For ".jpg", ".gif", ".bmp", ".2bp" and ".png", unless the gallery's key
// already keeps that extension's previous class: makes the class
// "orsagal<ext>" (its name, icon of `program_path` and open command),
// keeps the extension's current class under the extension's name in the
// gallery's key and points the extension at the new class. Returns how many
// extensions it registered.
int RegisterFileTypes(std::string_view program_path);

// For each extension with a kept class: removes "orsagal<ext>", gives the
// extension its kept class back (or removes the extension's key when it
// had none) and forgets the kept class. Returns how many it restored.
int RestoreFileTypes();

}  // namespace gallery
