// The object behind an icon handle.
#pragma once

#include "gdi/handle_table.h"
#include "gdi/masked_image.h"
#include "platform/resources.h"

namespace platform::gdi {

struct IconObject : IconTag {
  explicit IconObject(MaskedImage picture) : image(std::move(picture)) {}
  MaskedImage image;
};

using IconTable = HandleTable<IconObject>;

// The PNG of a resource of the module; null with the last error set.
std::shared_ptr<const BinaryResource> FindPicture(HINSTANCE instance, const ResourceId& id,
                                                  ResourceType type);

}  // namespace platform::gdi
