#include "script/media_commands.h"

#include "render/draw_list.h"
#include "render/item_values.h"
#include "script/engine_state.h"
#include "script/expression.h"
#include "script/script_text.h"
#include "text/numeric.h"

namespace tavro {

namespace {

// The image or sound id named by expression 0 for a per-object array of `count` slots, or 0
// when it selects nothing: below 1, or past the end and past kMediaIdLimit, which would grow
// the array of every such object to an absurd size.
int32_t mediaId(EngineState& state, const Statement& statement, int32_t count) {
    NameContext names(state);
    const int32_t id = toInt32(statement.expression(0).evaluate(&names));
    return id >= 1 && (id < count || id < kMediaIdLimit) ? id : 0;
}

// The view of an item: fixed on screen, or following the camera by the object's scroll factors.
TransformMatrix itemView(const Statement& statement, int32_t fixedArgument, TaskInstance& current,
                         InstanceContext& context) {
    if (statement.expression(fixedArgument).evaluate(&context) != 0) {
        return Translation(0, 0);
    }
    EngineState& state = context.state();
    const PropertyIds& ids = state.propertyIds();
    const double scrollY = property(current, ids.scrollY);
    const double scrollX = property(current, ids.scrollX);
    return CameraView(state.graphics.backBufferWidth(), state.graphics.backBufferHeight(),
                      state.camera.x(), state.camera.y(), scrollX, scrollY);
}

// How an object's item looks: its scale, its angle and its colour, read in this order.
struct ItemLook {
    double scaleX, scaleY, angle;
    uint32_t colour;
};

ItemLook readLook(TaskInstance& current, const PropertyIds& ids) {
    const double scaleX = property(current, ids.scaleX);
    const double scaleY = property(current, ids.scaleY);
    const double angle = property(current, ids.angle);
    const double alpha = property(current, ids.alpha);
    const double red = property(current, ids.red);
    const double green = property(current, ids.green);
    const double blue = property(current, ids.blue);
    return {scaleX, scaleY, angle, ItemColour(alpha, red, green, blue)};
}

// The arguments are evaluated and the variables read in exactly this order, as an argument
// that assigns a variable must see the earlier reads and be seen by the later ones. The image
// slot is looked up afresh each time, since evaluating may grow the instance's arrays.
void draw(const Statement& statement, TaskInstance& current, InstanceContext& context) {
    EngineState& state = context.state();
    const int32_t id = mediaId(state, statement, current.images.count());
    if (id == 0) {
        return;
    }
    const PropertyIds& ids = state.propertyIds();
    const ScreenScale& scale = state.screenScale;
    const double x = property(current, ids.x);
    const double dx = statement.expression(1).evaluate(&context);
    const double px =
        ImagePosition(dx + x, FirstFrameWidth(current.images[id], state.animations), scale.x);
    const double y = property(current, ids.y);
    const double dy = statement.expression(2).evaluate(&context);
    const double py =
        ImagePosition(dy + y, FirstFrameHeight(current.images[id], state.animations), scale.y);
    const ItemLook look = readLook(current, ids);
    const TransformMatrix view = itemView(statement, 3, current, context);
    if (statement.expression(4).evaluate(&context) == 0) {
        // Counted as unsigned, so a run of 2^32 draws wraps instead of overflowing.
        int32_t& counter = current.images[id].frameCounter;
        counter = static_cast<int32_t>(static_cast<uint32_t>(counter) + 1u);
    }
    const auto priority = static_cast<uint32_t>(toInt32(property(current, ids.priority)));
    AddImageItem(state.drawList, current.images[id],
                 ObjectTransform(px, py, look.scaleX, look.scaleY, look.angle), look.colour,
                 priority, view, state.haltRequested);
}

void soundCommand(uint32_t kind, SoundRef& sound, SoundCache& cache) {
    if (kind == kCodePlaySound) {
        sound.play(cache);
    } else if (kind == kCodeStopSound) {
        sound.stop(cache);
    } else {
        sound.rewind(cache);
    }
}

// The text item is placed at the object's position moved by (dx, dy); the alignment mode
// places the text around that point when it is drawn.
void text(const Statement& statement, TaskInstance& current, InstanceContext& context) {
    EngineState& state = context.state();
    const PropertyIds& ids = state.propertyIds();
    const ItemLook look = readLook(current, ids);
    const int32_t alignment = toInt32(statement.expression(5).evaluate(&context));
    const ScriptText* format = statement.scriptText();
    if (format == nullptr) {
        return;  // no text
    }
    const double x = property(current, ids.x);
    const double px = statement.expression(0).evaluate(&context) + x;
    const double y = property(current, ids.y);
    const double py = statement.expression(1).evaluate(&context) + y;
    const TransformMatrix view = itemView(statement, 2, current, context);
    const TextString output = format->make(context);
    const int32_t start = toInt32(statement.expression(3).evaluate(&context));
    const int32_t count = toInt32(statement.expression(4).evaluate(&context));
    const auto priority = static_cast<uint32_t>(toInt32(property(current, ids.priority)));
    AddTextItem(state.drawList, output.substrChars(start, count),
                ObjectTransform(px, py, look.scaleX, look.scaleY, look.angle), look.colour,
                priority, view, alignment, state.haltRequested);
}

}  // namespace

TextString formatScriptText(const TextString& format, InstanceContext& context) {
    return ScriptText(format).make(context);
}

void runMediaCommand(EngineState& state, const Statement& statement, uint32_t kind,
                     TaskInstance& current, TaskInstance& origin) {
    InstanceContext context(state, &current, &origin);
    switch (kind) {
        case kCodeDraw:
            draw(statement, current, context);
            break;
        case kCodeText:
            text(statement, current, context);
            break;
        case kCodeRewindImage:
            if (const int32_t id = mediaId(state, statement, current.images.count())) {
                current.images[id].frameCounter = 0;
            }
            break;
        case kCodePlaySound:
        case kCodeStopSound:
        case kCodeRewindSound:
            if (const int32_t id = mediaId(state, statement, current.sounds.count())) {
                soundCommand(kind, current.sounds[id], state.soundCache);
            }
            break;
        case kCodePlayBgm:
            if (!statement.text(0).empty()) {
                state.musicPlayer.playMusic(statement.text(0));
            }
            break;
        case kCodeStopBgm:
            state.musicPlayer.stopMusic();
            break;
        case kCodeFont:
            state.font.create(statement.text(0),
                              toInt32(statement.expression(0).evaluate(&context)));
            break;
        case kCodeBgColor: {
            const double red = statement.expression(0).evaluate(&context);
            const double green = statement.expression(1).evaluate(&context);
            const double blue = statement.expression(2).evaluate(&context);
            state.systemVariable(state.systemIds.red) = red;
            state.systemVariable(state.systemIds.green) = green;
            state.systemVariable(state.systemIds.blue) = blue;
            break;
        }
        case kCodeAppeal:
        case kCodeView: {
            const double y = statement.expression(1).evaluate(&context);
            const double x = statement.expression(0).evaluate(&context);
            if (kind == kCodeAppeal) {
                state.camera.setCameraTarget(x, y);
            } else {
                state.camera.setCameraPosition(x, y);
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace tavro
