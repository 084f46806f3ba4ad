#pragma once
// The board port of the running program: the exports of libdaqlink.so and
// libauxlink.so, which the program binds at load time.
#include "app/core/Acquisition.h"

class TLinkBoard : public TBoardPort {
public:
    bool InitDaqlink(const std::array<int32_t, 3> &channels) override;
    void GetRes(std::array<int32_t, 3> &readings) override;
    void SetFailureCode(int16_t code) override;
    void DoneDaqlink() override;
    void SetRes(int32_t n, const uint8_t *data, int32_t lastIndex) override;
    double GetStatusWindow() override;
    bool InitAuxlink() override;
    void GetWRes(double &w) override;
    void DoneAuxlink() override;
    QString DaqSetup() override;
};
