// Lua 5.4 as the yardstick: a compiled chunk run in this process, and the processor time
// so that other processes on the machine count against neither side of a comparison.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

namespace tavro::bench {

// A Lua state holding a compiled chunk; the chunk sees its argument as the local n.
class LuaLoop {
  public:
    explicit LuaLoop(const char* body) : state_(luaL_newstate()) {
        luaL_openlibs(state_);
        const std::string chunk = "local n = ... " + std::string(body);
        luaL_loadstring(state_, chunk.c_str());
        chunkRef_ = luaL_ref(state_, LUA_REGISTRYINDEX);
        luaL_dostring(state_, "x = 0");
    }
    ~LuaLoop() { lua_close(state_); }
    LuaLoop(const LuaLoop&) = delete;
    LuaLoop& operator=(const LuaLoop&) = delete;

    void run(int64_t n) {
        lua_rawgeti(state_, LUA_REGISTRYINDEX, chunkRef_);
        lua_pushinteger(state_, n);
        lua_call(state_, 1, 0);
    }

  private:
    lua_State* state_;
    int chunkRef_ = LUA_NOREF;
};

// Processor time of this process, which runs the benchmarks on one thread.
inline double threadSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

}  // namespace tavro::bench
