// The engine's three resolvers.
//  CompileContext: while compiling, turns each variable reference into its scoped id.
//  InstanceContext: while running, leads a reference to its storage in the current instance,
//    its parent, the origin instance or the system variables.
//  NameContext: for arguments that name an image, a sound or a variable: a bare name evaluates
//    to its name number.
#pragma once

#include <cstdint>

#include "script/engine_state.h"
#include "script/expression.h"
#include "script/task_instance.h"
#include "script/variables.h"

namespace tavro {

class CompileContext final : public VarResolver {
  public:
    explicit CompileContext(EngineState& state) : VarResolver(ResolverKind::kCompile, state) {}
    // Type 4 pointer to the scoped id of name; id and index are ignored.
    VarRef resolve(const TextString& name, int32_t id, int32_t index) override;
};

class NameContext final : public VarResolver {
  public:
    explicit NameContext(EngineState& state) : VarResolver(ResolverKind::kName, state) {}
    // Type 4 pointer to the name's number; id and index are ignored.
    VarRef resolve(const TextString& name, int32_t id, int32_t index) override;
};

class InstanceContext final : public VarResolver {
  public:
    InstanceContext(EngineState& state, TaskInstance* current, TaskInstance* origin)
        : VarResolver(ResolverKind::kInstance, state), current(current), origin(origin) {}

    // Type 5 pointer to the element (or, for ".size", to a cell holding the element count);
    // null when the scope has no instance. With id <= 0 the name text is resolved instead.
    VarRef resolve(const TextString& name, int32_t id, int32_t index) override;

    // The table a compiled id's scope selects, or null when that scope has no instance.
    VariableTable* tableFor(int32_t id) const {
        if ((id & kVarScopeMask) == 0) {
            return current != nullptr ? &current->variables : nullptr;
        }
        switch (varScope(id)) {
            case VarScope::kSystem:
                return &state().systemVariables;
            case VarScope::kParent:
                return current != nullptr && current->parent != nullptr
                           ? &current->parent->variables
                           : nullptr;
            case VarScope::kThis:
                return origin != nullptr ? &origin->variables : nullptr;
            case VarScope::kPlain:
                break;
        }
        return nullptr;
    }

    // Storage of a compiled reference (id > 0): what resolve answers, without the call.
    // Inline for an existing element of a plain variable; anything else (another scope,
    // ".size", growth, a bad index, reported there) takes the full path.
    [[gnu::always_inline]] double* slotFor(int32_t id, int32_t index) const {
        if ((id & (kVarScopeMask | kVarSizeFlag)) == 0 && current != nullptr) {
            VariableTable& table = current->variables;
            if (id < table.count()) {
                Variable& variable = table.begin()[id];
                if (index >= 0 && index < variable.count()) {
                    return variable.begin() + index;
                }
            }
        }
        return slotWithGrowth(id, index);
    }

    TaskInstance* current = nullptr;  // the instance being run (or visited by a batch)
    TaskInstance* origin = nullptr;   // the instance whose script started the run

  private:
    double* slotWithGrowth(int32_t id, int32_t index) const;
    VarRef resolveByText(const TextString& name);
};

}  // namespace tavro
