#include "data/ADFFormat.h"

std::vector<std::uint8_t> EncodeADFHeader(const TADFHeaderFields& fields) {
    std::vector<std::uint8_t> header(ADFHeaderSize, 0);
    const auto collar = static_cast<std::uint32_t>(fields.Collar);
    for (int k = 0; k < 4; ++k) {
        header[ADFCollarOffset + k] = static_cast<std::uint8_t>(collar >> (8 * k));
        header[ADFMagicOffset + k] = ADFMagicByte;
    }
    header[ADFDataTypeOffset] = ADFActivityDataType;
    header[ADFCollarTypeOffset] = ADFCollarType;
    header[ADFModeCodeOffset] = fields.ModeCode;
    header[ADFModeParameterOffset] = fields.ModeParameter;
    header[ADFTemperatureFlagOffset] = fields.HasTemperature ? 1 : 0;
    return header;
}

void AppendADFRecord(std::vector<std::uint8_t>& image, std::uint32_t sampleIndex, std::uint8_t channel1,
                     std::uint8_t channel2, std::uint8_t temperatureByte) {
    image.push_back(static_cast<std::uint8_t>(sampleIndex >> 16));
    image.push_back(static_cast<std::uint8_t>(sampleIndex >> 8));
    image.push_back(static_cast<std::uint8_t>(sampleIndex));
    image.push_back(channel1);
    image.push_back(channel2);
    image.push_back(temperatureByte);
}
