#include "script/property_ids.h"

#include "script/name_id_table.h"

namespace tavro {

// Looked up on each call (a hashed lookup), so a fresh name table in tests never leaves a
// stale number behind.
PropertyIds propertyIds() {
    return PropertyIds{nameId("x"),       nameId("y"),        nameId("width"),  nameId("height"),
                       nameId("scaleX"),  nameId("scaleY"),   nameId("angle"),  nameId("alpha"),
                       nameId("red"),     nameId("green"),    nameId("blue"),   nameId("scrollX"),
                       nameId("scrollY"), nameId("priority"), nameId("radius"), nameId("centerX"),
                       nameId("centerY")};
}

int32_t flagStoperId() {
    return nameId("flagStoper");
}

}  // namespace tavro
