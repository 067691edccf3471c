// SPDX-License-Identifier: MIT
// The interface object model shared by the host and its plug-ins: GUID-identified abstract
// classes with query / add-reference / release, and a Supports-style query.
//
// Every interface derives from IInterface, declares `static constexpr TGUID IID`, and lists
// its own methods in the contract order (the order is the vtable slot order a separately
// built host relies on). Objects never delete themselves through _Release unless they say so.
#pragma once
#include "Exception.h"
#include <QString>
#include <array>
#include <cstdint>

using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);

struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::array<std::uint8_t, 8> D4{};

    // Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" at compile time; a malformed text
    // does not compile when used in a constant expression.
    static constexpr TGUID parse(const char* s)
    {
        auto hex = [](char c) -> int {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            throw "bad GUID digit";
        };
        TGUID g;
        int i = 0;
        if (s[i] == '{') ++i;
        auto take = [&](int digits) -> std::uint64_t {
            std::uint64_t v = 0;
            for (int k = 0; k < digits; ++k) {
                if (s[i] == '-') ++i;
                v = v * 16 + static_cast<std::uint64_t>(hex(s[i++]));
            }
            return v;
        };
        g.D1 = static_cast<std::uint32_t>(take(8));
        g.D2 = static_cast<std::uint16_t>(take(4));
        g.D3 = static_cast<std::uint16_t>(take(4));
        for (auto& b : g.D4) b = static_cast<std::uint8_t>(take(2));
        return g;
    }

    friend constexpr bool operator==(const TGUID& a, const TGUID& b) = default;

    WR_PLATFORM_EXPORT QString toString() const;   // "{XXXXXXXX-...}", upper case
};

class IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{00000000-0000-0000-C000-000000000046}");
    virtual HRESULT QueryInterface(const TGUID& iid, void** obj) = 0;
    virtual int _AddRef() = 0;
    virtual int _Release() = 0;

protected:
    ~IInterface() = default;
};

// Asks obj for the interface iid; stores it in *intf and answers true when obj has it.
// A null obj has no interface.
WR_PLATFORM_EXPORT bool Supports(IInterface* obj, const TGUID& iid, void** intf);

template <class I>
bool Supports(IInterface* obj, I*& intf)
{
    void* p = nullptr;
    const bool ok = Supports(obj, I::IID, &p);
    intf = ok ? static_cast<I*>(p) : nullptr;
    return ok;
}

// The `obj as I` of the object model: the interface, or EIntfCastError when obj lacks it.
WR_PLATFORM_EXPORT [[noreturn]] void RaiseIntfCastError(const TGUID& iid);

template <class I>
I* IntfCast(IInterface* obj)
{
    I* intf = nullptr;
    if (!Supports(obj, intf)) RaiseIntfCastError(I::IID);
    return intf;
}
