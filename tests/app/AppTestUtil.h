#pragma once
// Boards for the acquisition and main-window tests: a scripted one, and the
// real board libraries (the simulated dilatometer) with the commands and
// readings recorded on the way.
#include "app/core/Acquisition.h"
#include "app/core/LinkBoard.h"
#include "daqlink/board/Board.h"

#include <QDialog>
#include <algorithm>
#include <array>
#include <deque>
#include <string>
#include <vector>

using TCommand = std::vector<uint8_t>;

inline const TCommand kHeaterOnCommand{86, 1, 32};
inline const TCommand kHeaterOffCommand{86, 1, 0};

// Answers from queues (an empty queue repeats the last answer) and logs every call.
class TScriptedBoard : public TBoardPort {
public:
    bool initResult = true;
    bool weigherResult = true;
    std::deque<std::array<int32_t, 3>> readings;  // GetRes answers
    std::deque<double> weights;                   // GetWRes answers
    std::vector<TCommand> commands;               // SetRes calls
    std::vector<std::string> calls;               // every call by name, in order
    std::array<int32_t, 3> channels{};            // of the last InitDaqlink

    bool InitDaqlink(const std::array<int32_t, 3> &c) override
    {
        calls.push_back("InitDaqlink");
        channels = c;
        return initResult;
    }
    void GetRes(std::array<int32_t, 3> &r) override
    {
        calls.push_back("GetRes");
        if (!readings.empty())
            r = Next(readings);
    }
    void SetFailureCode(int16_t) override {}  // the scripted readings carry their own markers
    void DoneDaqlink() override { calls.push_back("DoneDaqlink"); }
    void SetRes(int32_t n, const uint8_t *data, int32_t lastIndex) override
    {
        calls.push_back("SetRes");
        commands.emplace_back(data, data + std::min(n, lastIndex + 1));
    }
    double GetStatusWindow() override
    {
        calls.push_back("GetStatusWindow");
        return 0;
    }
    bool InitAuxlink() override
    {
        calls.push_back("InitAuxlink");
        return weigherResult;
    }
    void GetWRes(double &w) override
    {
        calls.push_back("GetWRes");
        if (!weights.empty())
            w = Next(weights);
    }
    void DoneAuxlink() override { calls.push_back("DoneAuxlink"); }
    QString DaqSetup() override
    {
        calls.push_back("DaqSetup");
        return QStringLiteral("scripted board");
    }

    int Count(const std::string &call) const { return int(std::count(calls.begin(), calls.end(), call)); }

private:
    template <typename T>
    static T Next(std::deque<T> &queue)
    {
        T value = queue.front();
        if (queue.size() > 1)
            queue.pop_front();
        return value;
    }
};

// The board libraries with the simulated dilatometer configured by text (the
// keys of daqlink.ini), recording the heater commands and the raw scans.
class TRecordingLinkBoard : public TLinkBoard {
public:
    explicit TRecordingLinkBoard(const std::string &simulatorSettings)
    {
        daqboard::OverrideSettings(simulatorSettings);
    }
    ~TRecordingLinkBoard() override
    {
        TLinkBoard::DoneAuxlink();
        TLinkBoard::DoneDaqlink();
        daqboard::OverrideSettings(std::nullopt);
    }

    std::vector<TCommand> commands;
    std::vector<std::array<int32_t, 3>> scans;

    void SetRes(int32_t n, const uint8_t *data, int32_t lastIndex) override
    {
        commands.emplace_back(data, data + std::min(n, lastIndex + 1));
        TLinkBoard::SetRes(n, data, lastIndex);
    }
    void GetRes(std::array<int32_t, 3> &r) override
    {
        TLinkBoard::GetRes(r);
        scans.push_back(r);
    }
};

// Presses OK on a dialog handed to the recording prompt: accept() may refuse.
inline int PressOk(QDialog &dialog)
{
    dialog.setResult(QDialog::Rejected);
    dialog.accept();
    return dialog.result();
}
