#pragma once

// The one process-wide record of everything the user typed or chose (StoredSettings, what the
// settings file holds) and of where that file lives (SettingsFileContext). It belongs to the
// start-up module; both main windows read and write it, so a language switch loses nothing.

#include "calc/fields.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <vector>

namespace state {

using calc::Field;
using calc::ToolMode;
using calc::ToolValues;

// The language of the main window; the settings file stores it as LanguageState.
enum class Language { Danish, English };

// What the start did to the settings file, for the user to hear once.
struct StartNotice
{
    enum class Kind {
        DamagedKept,    // path: where the file that could not be read whole is kept
        NoLanguageKept, // path: where a file read whole, but with no language chosen, is kept
        Restored        // path: the settings file, back from the copy of an in-place save
    };
    Kind kind = Kind::DamagedKept;
    QString path;
};

// Which main window the settings file asks for (its record 26). Any other stored number,
// 4 to 255, counts as nothing stored; it is kept as read until the start replaces it.
enum class LanguageState : std::uint8_t {
    NothingStored = 0,
    Danish = 1,
    English = 2,
    NoWindow = 3
};

// Only 0 to 3 decimals have a menu item; a larger count (an edited file) means as many as
// there are.
inline constexpr std::uint8_t MostDecimalsInMenu = 3;
inline std::uint8_t decimalCountInMenu(int count)
{
    return std::uint8_t(std::clamp(count, 0, int(MostDecimalsInMenu)));
}

// The 33 records of the settings file, and nothing else: what a save writes and a load reads.
struct StoredSettings
{
    ToolValues mill;
    ToolValues drill;
    ToolValues tap;

    // Shared settings, each with its row in SettingRecords below.
    std::uint8_t decimalCount = 0; // 0..3
    LanguageState languageState = LanguageState::NothingStored;
    bool inchUnits = false;
    bool metricUnits = false;
    bool threadsPerInchSelected = false;
    bool pitchMmSelected = false;
    bool decimalIsPeriod = false;
    bool spareFlag1 = false;
    bool spareFlag2 = false;

    ToolValues &tool(ToolMode mode)
    {
        return mode == ToolMode::Mill ? mill : mode == ToolMode::Drill ? drill : tap;
    }
    const ToolValues &tool(ToolMode mode) const
    {
        return mode == ToolMode::Mill ? mill : mode == ToolMode::Drill ? drill : tap;
    }

    bool operator==(const StoredSettings &) const = default;
};

// A setting stored after the 24 texts: its record in the settings file and its member. A flag
// is written #TRUE# or #FALSE#, a number as digits (0..255); a larger number than `largest`
// reads as `largest`.
template <typename Value> struct SettingRecord
{
    constexpr SettingRecord(int record, Value StoredSettings::*member, std::uint8_t largest = 255)
        : record(record), member(member), largest(largest)
    {
    }

    int record;
    Value StoredSettings::*member;
    std::uint8_t largest;
};

// Every record after the texts, in file order; the file's reader and writer walk this.
// clang-format off
inline constexpr std::tuple SettingRecords{
    SettingRecord{25, &StoredSettings::decimalCount, MostDecimalsInMenu},
    SettingRecord{26, &StoredSettings::languageState},
    SettingRecord{27, &StoredSettings::inchUnits},
    SettingRecord{28, &StoredSettings::metricUnits},
    SettingRecord{29, &StoredSettings::threadsPerInchSelected},
    SettingRecord{30, &StoredSettings::pitchMmSelected},
    SettingRecord{31, &StoredSettings::decimalIsPeriod},
    SettingRecord{32, &StoredSettings::spareFlag1},
    SettingRecord{33, &StoredSettings::spareFlag2},
};
// clang-format on

constexpr bool settingRecordsFollowTheTexts()
{
    return std::apply(
        [](const auto &...setting) {
            int next = 3 * int(calc::FieldCount);
            return ((setting.record == ++next) && ...);
        },
        SettingRecords);
}
static_assert(settingRecordsFollowTheTexts(), "SettingRecords numbers the records after the texts");

template <typename Wanted, typename Value>
constexpr bool holdsMember(const SettingRecord<Value> &setting, Wanted StoredSettings::*member)
{
    if constexpr (std::is_same_v<Wanted, Value>)
        return setting.member == member;
    else
        return false;
}

// The record that holds a member of SettingRecords; 0 for any other member.
template <typename Value> constexpr int recordOf(Value StoredSettings::*member)
{
    return std::apply(
        [member](const auto &...setting) {
            int found = 0;
            ((found = holdsMember(setting, member) ? setting.record : found), ...);
            return found;
        },
        SettingRecords);
}

// Where the settings file lives and what the start found there; never stored.
struct SettingsFileContext
{
    QString settingsPath;
    bool mayCreateSettingsFolder = false; // the user's configuration folder, made on saving
    // Keeps the copy of an in-place save and a damaged file that its own folder refuses;
    // empty when the system names none.
    QString userConfigFolder;
    // Not empty: a damaged file could not be kept aside, so no save may replace it.
    QString savesRefused;
    // Filled by the start; the session hands them to the first window that opens.
    std::vector<state::StartNotice> startNotices;
};

struct WorkingValues : StoredSettings, SettingsFileContext
{
    StoredSettings &stored() { return *this; }
    const StoredSettings &stored() const { return *this; }

    // Two working values would compare only their stored records; say so with stored().
    bool operator==(const WorkingValues &) const = delete;
};

} // namespace state
