#pragma once
// The tests' sound card (tests/platform/audio/test_card): while an object lives, the
// ALSA configuration names the card (or no card at all), and the card keeps its values
// in a private state file, with every write logged. The environment is set for this
// process and for the programs it starts.

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"

class TestSoundCard {
public:
    enum class Kind { Card, CardWithNullSound, NoCard, NullSoundOnly };

    explicit TestSoundCard(Kind kind = Kind::Card)
    {
        const char* conf = kind == Kind::Card                ? ZELM_TEST_CARD_CONF
                           : kind == Kind::CardWithNullSound ? ZELM_TEST_CARD_NULL_PCM_CONF
                           : kind == Kind::NoCard            ? ZELM_TEST_NO_CARD_CONF
                                                             : ZELM_TEST_NULL_PCM_ONLY_CONF;
        setenv("ALSA_CONFIG_PATH", conf, 1);
        setenv("ZELM_TEST_MIXER_STATE", m_dir.file("state").c_str(), 1);
        setenv("ZELM_TEST_MIXER_LOG", m_dir.file("log").c_str(), 1);
    }
    ~TestSoundCard()
    {
        unsetenv("ALSA_CONFIG_PATH");
        unsetenv("ZELM_TEST_MIXER_STATE");
        unsetenv("ZELM_TEST_MIXER_LOG");
    }
    TestSoundCard(const TestSoundCard&) = delete;
    TestSoundCard& operator=(const TestSoundCard&) = delete;

    // The raw values of a card control ("Master Playback Volume"), as the card holds
    // them; the defaults until the first write.
    std::pair<long, long> Values(const std::string& control) const
    {
        auto state = ReadState();
        auto found = state.find(control);
        return found == state.end() ? Default(control) : found->second;
    }
    // Sets raw values directly, as another program would.
    void SetValues(const std::string& control, long left, long right)
    {
        auto state = ReadState();
        for (const auto& [name, values] : Defaults())
            if (!state.count(name)) state[name] = values;
        state[control] = {left, right};
        std::ofstream out(m_dir.file("state"), std::ios::trunc);
        for (const auto& [name, values] : state) out << name << '\t' << values.first << ' ' << values.second << '\n';
    }
    // Every write to the card, in order: control name and its two values.
    std::vector<std::pair<std::string, std::pair<long, long>>> Log() const
    {
        std::vector<std::pair<std::string, std::pair<long, long>>> log;
        std::ifstream in(m_dir.file("log"));
        for (std::string line; std::getline(in, line);) log.push_back(Parse(line));
        return log;
    }

    // The card's controls and their values before any write.
    static const std::map<std::string, std::pair<long, long>>& Defaults()
    {
        static const std::map<std::string, std::pair<long, long>> defaults{
            {"Master Playback Volume", {60, 60}}, {"Master Playback Switch", {1, 1}},
            {"PCM Playback Volume", {200, 200}},  {"PCM Playback Switch", {1, 1}},
            {"CD Playback Volume", {20, 20}},     {"CD Playback Switch", {1, 1}},
            {"Line Playback Volume", {16, 16}},   {"Line Playback Switch", {0, 0}},
            {"Mic Playback Volume", {8, 0}},      {"Mic Playback Switch", {0, 0}},
            {"Capture Volume", {40, 40}},         {"Capture Switch", {1, 1}},
            {"Mic Capture Volume", {10, 0}},      {"CD Capture Volume", {12, 12}},
            {"Line Capture Volume", {14, 14}},    {"Capture Source", {0, 0}},
        };
        return defaults;
    }

private:
    static std::pair<long, long> Default(const std::string& control)
    {
        auto found = Defaults().find(control);
        return found == Defaults().end() ? std::pair<long, long>{-1, -1} : found->second;
    }
    static std::pair<std::string, std::pair<long, long>> Parse(const std::string& line)
    {
        auto tab = line.find('\t');
        std::istringstream numbers(line.substr(tab + 1));
        std::pair<long, long> values{};
        numbers >> values.first >> values.second;
        return {line.substr(0, tab), values};
    }
    std::map<std::string, std::pair<long, long>> ReadState() const
    {
        std::map<std::string, std::pair<long, long>> state;
        std::ifstream in(m_dir.file("state"));
        for (std::string line; std::getline(in, line);) state.insert(Parse(line));
        return state;
    }

    TempDir m_dir;
};
