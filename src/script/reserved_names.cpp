#include "script/reserved_names.h"

#include <utility>

namespace tavro {

namespace {

// A group's names in numbering order, each with the field that keeps its number.
template <typename Ids>
using NameFields = std::pair<const char*, int32_t Ids::*>;

template <typename Ids, size_t count>
Ids numberNames(NameIdTable& names, const NameFields<Ids> (&fields)[count]) {
    Ids ids{};
    for (const auto& [name, field] : fields) {
        ids.*field = names.idFor(name);
    }
    return ids;
}

using Start = StartPropertyIds;
constexpr NameFields<Start> kStartProperties[] = {
    {"red", &Start::red},         {"green", &Start::green},    {"blue", &Start::blue},
    {"alpha", &Start::alpha},     {"scaleX", &Start::scaleX},  {"scaleY", &Start::scaleY},
    {"scrollX", &Start::scrollX}, {"scrollY", &Start::scrollY}};

using System = SystemVariableIds;
constexpr NameFields<System> kSystemVariables[] = {{"fps", &System::fps},
                                                   {"mouseX", &System::mouseX},
                                                   {"mouseY", &System::mouseY},
                                                   {"red", &System::red},
                                                   {"green", &System::green},
                                                   {"blue", &System::blue},
                                                   {"cameraConf", &System::cameraConf},
                                                   {"cameraSpeed", &System::cameraSpeed},
                                                   {"cameraX", &System::cameraX},
                                                   {"cameraY", &System::cameraY}};

using Window = WindowVariableIds;
constexpr NameFields<Window> kWindowVariables[] = {
    {"windowX", &Window::windowX},         {"windowY", &Window::windowY},
    {"windowWidth", &Window::windowWidth}, {"windowHeight", &Window::windowHeight},
    {"screenWidth", &Window::screenWidth}, {"screenHeight", &Window::screenHeight}};

using Property = PropertyIds;
constexpr NameFields<Property> kInterpreterProperties[] = {{"x", &Property::x},
                                                           {"y", &Property::y},
                                                           {"width", &Property::width},
                                                           {"height", &Property::height},
                                                           {"scaleX", &Property::scaleX},
                                                           {"scaleY", &Property::scaleY},
                                                           {"angle", &Property::angle},
                                                           {"alpha", &Property::alpha},
                                                           {"red", &Property::red},
                                                           {"green", &Property::green},
                                                           {"blue", &Property::blue},
                                                           {"scrollX", &Property::scrollX},
                                                           {"scrollY", &Property::scrollY},
                                                           {"priority", &Property::priority},
                                                           {"radius", &Property::radius},
                                                           {"centerX", &Property::centerX},
                                                           {"centerY", &Property::centerY}};

constexpr const char* kFlagStoper = "flagStoper";

}  // namespace

StartPropertyIds numberStartProperties(NameIdTable& names) {
    return numberNames(names, kStartProperties);
}

SystemVariableIds numberSystemVariables(NameIdTable& names) {
    return numberNames(names, kSystemVariables);
}

WindowVariableIds numberWindowVariables(NameIdTable& names) {
    return numberNames(names, kWindowVariables);
}

void InterpreterNames::numberProperties(NameIdTable& names) {
    if (!propertiesNumbered_) {
        properties_ = numberNames(names, kInterpreterProperties);
        propertiesNumbered_ = true;
    }
}

void InterpreterNames::numberFlagStoper(NameIdTable& names) {
    if (flagStoper_ == 0) {
        flagStoper_ = names.idFor(kFlagStoper);
    }
}

}  // namespace tavro
