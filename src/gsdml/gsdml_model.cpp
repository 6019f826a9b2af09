// Read_ operations of the device-description model. Each one reads its
// attributes first, then its children in a fixed order; "chained" children stop
// the read at the first failure, the others are read whatever happens.
#include "gsdml/gsdml_model.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "gsdml/gsdml.h"
#include "gsdml/gsdml_read.h"
#include "text/text_util.h"

namespace zv {
using namespace gsdml_read;

namespace {

// One kind of repeated item: its element name and where it goes.
template <class T>
struct Into {
    const char* name;
    std::vector<T>& list;
    bool (T::*read)(GsdNode);
    void reserve(size_t count) const { list.reserve(list.size() + count); }
    bool operator()(GsdNode c) const {
        // Read in place, as items() does: records and references are large to move.
        T& item = list.emplace_back();
        if ((item.*read)(c)) return true;
        list.pop_back();
        return false;
    }
};
template <class T>
Into<T> into(const char* name, std::vector<T>& list, bool (T::*read)(GsdNode)) {
    return {name, list, read};
}

// One kind of item of a list that holds two kinds.
template <class T, class L>
struct IntoEither {
    const char* name;
    L& list;
    bool (T::*read)(GsdNode);
    bool operator()(GsdNode c) const {
        auto item = std::make_unique<T>();
        if (!(item.get()->*read)(c)) return false;
        list.emplace_back(std::move(item));
        return true;
    }
    void reserve(size_t count) const { list.reserve(list.size() + count); }
};
template <class T, class A, class B>
IntoEither<T, EitherList<A, B>> into_either(const char* name, EitherList<A, B>& list, bool (T::*read)(GsdNode)) {
    return {name, list, read};
}

// Repeated items of several kinds in one visit, each node tested against every
// kind's name; a failed item stops the visit and fails the parent.
template <class... Kinds>
bool items_of(GsdNode parent, const Kinds&... kinds) {
    // Counted first, so that no list grows step by step.
    auto reserve = [&](const auto& kind) {
        size_t count = 0;
        for (GsdNode c = parent.first_child(); c; c = c.next_sibling()) count += is_named(c, kind.name);
        kind.reserve(count);
    };
    (reserve(kinds), ...);
    for (GsdNode c = parent.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        const char* name = c.name();
        bool ok = true;
        (void)((std::strcmp(name, kinds.name) == 0 ? (ok = kinds(c), true) : false) || ...);
        if (!ok) return false;
    }
    return true;
}

// Items that live one level down, inside a holder element such as Assignments.
template <class... Kinds>
bool items_in(GsdNode parent, const char* holder, const Kinds&... kinds) {
    GsdNode h = find_child(parent, holder);
    return !h || items_of(h, kinds...);
}

}  // namespace

// ---------------------------------------------------------------- document and identity

bool TISO15745Reference::Read_ISO15745Reference(GsdNode n) {
    FISO15745Part = find_child(n, "ISO15745Part").text().get();
    FISO15745Edition = find_child(n, "ISO15745Edition").text().get();
    FISO15745Technology = find_child(n, "ProfileTechnology").text().get();
    return true;
}

bool TProfileHeader::Read_ProfileHeader(GsdNode n) {
    FProfileIdentification = find_child(n, "ProfileIdentification").text().get();
    FProfileRevision = find_child(n, "ProfileRevision").text().get();
    FProfileName = find_child(n, "ProfileName").text().get();
    FProfileSource = find_child(n, "ProfileSource").text().get();
    FProfileClassID = find_child(n, "ProfileClassID").text().get();
    FProfileDate = find_child(n, "ProfileDate").text().get();
    child(n, "ISO15745Reference", ISO15745Reference, &TISO15745Reference::Read_ISO15745Reference);
    for (GsdNode c = n.first_child(); c; c = c.next_sibling())
        if (is_named(c, "IASInterfaceType")) IASInterfaceType.emplace_back(c.text().get());
    return true;
}

bool TDeviceIdentity::Read_DeviceIdentity(GsdNode n) {
    Attrs(n).num("VendorID", FVendorID).num("DeviceID", FDeviceID, 1);
    attr_of_child(n, "InfoText", "TextId", FInfoText);
    attr_of_child(n, "VendorName", "Value", FVendorName);
    return true;
}

bool TFamily::Read_Family(GsdNode n) {
    Attrs(n).text("MainFamily", FMainFamily).text("ProductFamily", FProductFamily);
    return true;
}

bool TDeviceFunction::Read_DeviceFunction(GsdNode n) { return required(n, "Family", Family, &TFamily::Read_Family); }

// ---------------------------------------------------------------- small leaf elements

bool TCertificationInfo::Read_CertificationInfo(GsdNode n) {
    Attrs(n).text("ConformanceClass", FConformanceClass)
        .text("ApplicationClass", FApplicationClass)
        .text("NetloadClass", FNetloadClass);
    return true;
}

bool TIOConfigData::Read_IOConfigData(GsdNode n) {
    Attrs(n).num("MaxInputLength", FMaxInputLength)
        .num("MaxOutputLength", FMaxOutputLength)
        .num("MaxDataLength", FMaxDataLength)
        .flag("ApplicationLengthIncludesIOxS", FApplicationLengthIncludesIOxS)
        .num("MaxApplicationInputLength", FMaxApplicationInputLength)
        .num("MaxApplicationOutputLength", FMaxApplicationOutputLength)
        .num("MaxApplicationDataLength", FMaxApplicationDataLength);
    return true;
}

bool TModulesItemRef::Read_ModuleItemRef(GsdNode n) {
    Attrs(n).text("ModuleItemTarget", FModuleItemTarget)
        .text("AllowedInSlots", FAllowedInSlots)
        .text("UsedInSlots", FUsedInSlots)
        .text("FixedInSlots", FFixedInSlots);
    return true;
}

bool TUseableModules::Read_UseableModules(GsdNode n) {
    return items(n, "ModuleItemRef", ModuleItemRefList, &TModulesItemRef::Read_ModuleItemRef);
}

bool TSubslotItem::Read_SubslotItem(GsdNode n) {
    Attrs(n).num("SubslotNumber", FSubslotNumber).text("TextId", FTextId);
    return true;
}

bool TSubslotList::Read_SubslotList(GsdNode n) {
    return items(n, "SubslotItem", SubslotItemList, &TSubslotItem::Read_SubslotItem);
}

bool TSlotItem::Read_SlotItem(GsdNode n) {
    Attrs(n).num("SlotNumber", FSlotNumber).text("TextId", FTextId);
    return true;
}

bool TSlotList::Read_SlotList(GsdNode n) { return items(n, "SlotItem", SlotItemList, &TSlotItem::Read_SlotItem); }

bool TSlotGroup::Read_SlotGroup(GsdNode n) {
    Attrs(n).text("SlotList", FSlotList).text("Name", FName).text("InfoText", FInfoText);
    return true;
}

bool TSlotGroups::Read_SlotGroups(GsdNode n) {
    return items(n, "SlotGroup", SlotGroupList, &TSlotGroup::Read_SlotGroup);
}

bool TFieldbusIntegrationSlots::Read_FieldbusIntegrationSlots(GsdNode n) {
    Attrs(n).num("MaxSupported", FMaxSupported, 1).text("Range", FRange);
    return true;
}

bool TRequest::Read_Request(GsdNode n) {
    Attrs(n).num("API", FAPI).num("APStructureIdentifier", FAPStructureIdentifier);
    return true;
}

bool TARVendorBlock::Read_ARVendorBlock(GsdNode n) { return items(n, "Request", RequestList, &TRequest::Read_Request); }

bool TSystemRedundancy::Read_SystemRedundancy(GsdNode n) {
    Attrs(n).text("DeviceType", FDeviceType)
        .num("MaxSwitchOverTime", FMaxSwitchOverTime, 1)
        .flag("PrimaryAR_OnBothNAPsSupported", FPrimaryAR_OnBothNAPsSupported)
        .flag("RT_InputOnBackupAR_Supported", FRT_InputOnBackupAR_Supported)
        .num("NumberOfAR_Sets", FNumberOfAR_Sets, 1)
        .num("MinRDHT", FMinRDHT, 1)
        .flag("DataInvalidOnBackupAR_Supported", FDataInvalidOnBackupAR_Supported)
        .num("S2MaxInputOnBackupDelay", FS2MaxInputOnBackupDelay, 1)
        .num("R2MaxInputOnBackupDelay", FR2MaxInputOnBackupDelay, 1);
    return true;
}

bool TTimingPropertiesAppRel::Read_TimingProperties(GsdNode n) {
    Attrs(n).text("SendClock", FSendClock).text("ReductionRatio", FReductionRatio);
    return true;
}

bool TApplicationRelations::Read_ApplicationRelations(GsdNode n) {
    Attrs(n).num("AR_BlockVersion", FAR_BlockVersion)
        .num("IOCR_BlockVersion", FIOCR_BlockVersion)
        .num("AlarmCR_BlockVersion", FAlarmCR_BlockVersion)
        .num("SubmoduleDataBlockVersion", FSubmoduleDataBlockVersion);
    return child(n, "TimingProperties", TimingProperties, &TTimingPropertiesAppRel::Read_TimingProperties);
}

bool TGraphicItemRef::Read_GraphicItemRef(GsdNode n) {
    // Files write the kind as Type; TypeGraph is taken too and wins when both are there.
    Attrs(n).text("Type", FTypeGraph).text("TypeGraph", FTypeGraph).text("GraphicItemTarget", FGraphicItemTarget);
    return true;
}

bool TGraphics::Read_Graphics(GsdNode n) {
    return items(n, "GraphicItemRef", GraphicItemRefList, &TGraphicItemRef::Read_GraphicItemRef);
}

bool TModuleInfo::Read_ModuleInfo(GsdNode n) {
    Attrs(n).text("CategoryRef", FCategoryRef).text("SubCategory1Ref", FSubCategory1Ref);
    if (!required_attr_of_child(n, "Name", "TextId", FName)) return false;
    if (!required_attr_of_child(n, "InfoText", "TextId", FInfoText)) return false;
    attr_of_child(n, "VendorName", "Value", FVendorName);
    attr_of_child(n, "OrderNumber", "Value", FOrderNumber);
    attr_of_child(n, "HardwareRelease", "Value", FHardwareRelease);
    attr_of_child(n, "SoftwareRelease", "Value", FSoftwareRelease);
    return child(n, "Family", Family, &TFamily::Read_Family);
}

// ---------------------------------------------------------------- cyclic data

bool TBitDataItem::Read_BitDataItem(GsdNode n) {
    Attrs(n).num("BitOffset", FBitOffset).text("TextId", FTextId);
    return true;
}

bool TDataItem::Read_DataItem(GsdNode n) {
    Attrs(n).text("DataType", FDataType)
        .num("Length", FLength)
        .flag("UseAsBits", FUseAsBits)
        .flag("Subordinate", FSubordinate)
        .text("TextId", FTextId);
    return items(n, "BitDataItem", BitDataItemList, &TBitDataItem::Read_BitDataItem);
}

int TDataItem::GetLenData() const {
    if (FLength > 0) return FLength;
    static const std::unordered_map<std::string_view, int> kTypeLength = {
        {"Integer8", 1}, {"Unsigned8", 1}, {"Boolean", 1}, {"Unsigned8_S", 1},
        {"Integer16", 2}, {"Unsigned16", 2}, {"Unsigned8+Unsigned8", 2}, {"Unsigned16_S", 2},
        {"Integer16_S", 2}, {"N2", 2}, {"V2", 2}, {"L2", 2}, {"R2", 2}, {"T2", 2}, {"D2", 2},
        {"E2", 2}, {"X2", 2}, {"Unipolar2.16", 2},
        {"OctetString2+Unsigned8", 3},
        {"Integer32", 4}, {"Unsigned32", 4}, {"Float32", 4}, {"TimeOfDay without date indication", 4},
        {"TimeDifference without date indication", 4}, {"F_MessageTrailer4Byte", 4}, {"N4", 4},
        {"T4", 4}, {"C4", 4}, {"X4", 4},
        {"Float32+Status8", 5}, {"Float32+Unsigned8", 5}, {"F_MessageTrailer5Byte", 5},
        {"TimeOfDay with date indication", 6}, {"TimeDifference with date indication", 6},
        {"Date", 7},
        {"Integer64", 8}, {"Unsigned64", 8}, {"Float64", 8}, {"NetworkTime", 8},
        {"NetworkTimeDifference", 8}, {"TimeStampDifferenceShort", 8},
        {"TimeStamp", 6}, {"TimeStampDifference", 6},
    };
    auto it = kTypeLength.find(FDataType);
    return it == kTypeLength.end() ? 0 : it->second;
}

bool TData::Read_Data(GsdNode n) {
    Attrs(n).num("BitOffset", FBitOffset).num("BitLength", FBitLength);
    return true;
}

bool TQuality::Read_Quality(GsdNode n) {
    Attrs(n).num("BitOffset", FBitOffset).text("Format", FFormat).flag("OppositeDirection", FOppositeDirection);
    return true;
}

bool TChannel::Read_Channel(GsdNode n) {
    Attrs(n).num("Number", FNumber);
    return required(n, "Data", Data, &TData::Read_Data) && child(n, "Quality", Quality, &TQuality::Read_Quality);
}

bool TInputOutput::Read_InputOutput(GsdNode n) {
    Attrs(n).text("Consistency", FConsistency);
    return items_of(n, into("DataItem", DataItemList, &TDataItem::Read_DataItem),
                    into("Channel", ChannelList, &TChannel::Read_Channel));
}

bool TIOData::Read_IOData(GsdNode n) {
    Attrs(n).num("F_IO_StructureDescVersion", FF_IO_StructureDescVersion)
        .num("F_IO_StructureDescCRC", FF_IO_StructureDescCRC);
    return child(n, "Input", Input, &TInputOutput::Read_InputOutput) &&
           child(n, "Output", Output, &TInputOutput::Read_InputOutput);
}

namespace {
int data_length(const std::unique_ptr<TInputOutput>& io) {
    int sum = 0;
    if (io)
        for (const TDataItem& d : io->DataItemList) sum += d.GetLenData();
    return sum;
}
}  // namespace

int TIOData::Get_Input() const { return data_length(Input); }
int TIOData::Get_Output() const { return data_length(Output); }

bool TIsochroneMode::Read_IsochroneMode(GsdNode n) {
    Attrs(n).num("T_DC_Base", FT_DC_Base)
        .num("T_DC_Min", FT_DC_Min)
        .num("T_DC_Max", FT_DC_Max)
        .num("T_IO_Base", FT_IO_Base)
        .num("T_IO_InputMin", FT_IO_InputMin)
        .num("T_IO_OutputMin", FT_IO_OutputMin)
        .flag("IsochroneModeRequired", FIsochroneModeRequired);
    return true;
}

bool TSlotCluster::Read_SlotCluster(GsdNode n) {
    Attrs(n).num("Count", FCount).num("FieldbusType", FFieldbusType);
    return true;
}

bool TObserver::Read_Observer(GsdNode n) {
    Attrs(n).text("Type", FTypeObserver).text("TypeObserver", FTypeObserver);
    return true;
}

bool TReportingSystemEvents::Read_ReportingSystemEvents(GsdNode n) {
    return items(n, "Observer", ObserverList, &TObserver::Read_Observer);
}

// ---------------------------------------------------------------- parameter records

bool TRecordDataConst::Read_Const(GsdNode n) {
    Attrs(n).text("Data", FData).num("ByteOffset", FByteOffset);
    return true;
}

bool TRecordDataReference::Read_RecordDataReference(GsdNode n) {
    Attrs(n).text("ID", FID)
        .text("TextId", FTextId)
        .text("ValueItemTarget", FValueItemTarget)
        .num("ByteOffset", FByteOffset)
        .num("BitOffset", FBitOffset)
        .text("DataType", FDataType)
        .num("Length", FLength)
        .num("BitLength", FBitLength)
        .text("DefaultValue", FDefaultValue)
        .text("AllowedValues", FAllowedValues)
        .flag("Changeable", FChangeable)
        .flag("Visible", FVisible);
    return true;
}

bool TParameterRecordDataItem::Read_ParameterRecordDataItem(GsdNode n) {
    Attrs(n).num("Index", FIndex_)
        .num("TransferSequence", FTransferSequence)
        .flag("ChangeableWithBump", FChangeableWithBump)
        .num("Length", FLen);
    attr_of_child(n, "Name", "TextId", FName);
    return items_of(n, into("Const", RecordDataConstList, &TRecordDataConst::Read_Const),
                    into("Ref", RecordDataReferenceList, &TRecordDataReference::Read_RecordDataReference));
}

std::string TParameterRecordDataItem::GetConstData() const {
    if (FLen <= 0) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(FLen), 0);
    for (const TRecordDataConst& c : RecordDataConstList) {
        int64_t j = 0;
        std::string_view rest = c.FData;
        while (true) {
            size_t comma = rest.find(',');
            int32_t v = gsdml_int_or(trim(rest.substr(0, comma)), -1);
            if (v >= 0 && v <= 255) {
                int64_t pos = static_cast<int64_t>(c.FByteOffset) + j++;
                if (pos >= 0 && pos < FLen) bytes[static_cast<size_t>(pos)] = static_cast<uint8_t>(v);
            }
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
    }
    std::string out;
    out.reserve(bytes.size() * 5);
    char buf[8];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, i ? ",0x%02X" : "0x%02X", bytes[i]);
        out += buf;
    }
    return out;
}

template <class V>
bool TF_Param<V>::Read_F_Param(GsdNode n) {
    Attrs a(n);
    if constexpr (std::is_same_v<V, std::string>)
        a.text("DefaultValue", FDefaultValue);
    else
        a.num("DefaultValue", FDefaultValue);
    a.text("AllowedValues", FAllowedValues).flag("Changeable", FChangeable).flag("Visible", FVisible);
    return true;
}

namespace {
template <class T>
bool f_required(GsdNode n, const char* name, T& obj) {
    GsdNode c = find_child(n, name);
    if (!c) note_failure(n, std::string("required element ") + name + " is missing");
    return c && obj.Read_F_Param(c);
}
template <class T>
void f_optional(GsdNode n, const char* name, std::unique_ptr<T>& obj) {
    if (GsdNode c = find_child(n, name)) {
        obj = std::make_unique<T>();
        obj->Read_F_Param(c);
    }
}
}  // namespace

bool TF_ParameterRecordDataItem::Read_F_ParameterRecordDataItem(GsdNode n) {
    Attrs(n).num("F_ParamDescCRC", FF_ParamDescCRC)
        .text("F_SupportedParameters", FF_SupportedParameters)
        .num("Index", FIndex)
        .num("TransferSequence", FTransferSequence)
        .flag("ChangeableWithBump", FChangeableWithBump);
    if (!f_required(n, "F_Check_iPar", F_Check_iPar) || !f_required(n, "F_SIL", F_SIL) ||
        !f_required(n, "F_CRC_Length", F_CRC_Length))
        return false;
    f_optional(n, "F_CRC_Seed", F_CRC_Seed);
    f_optional(n, "F_Passivation", F_Passivation);
    if (!f_required(n, "F_Block_ID", F_Block_ID) || !f_required(n, "F_Par_Version", F_Par_Version) ||
        !f_required(n, "F_Source_Add", F_Source_Add) || !f_required(n, "F_Dest_Add", F_Dest_Add) ||
        !f_required(n, "F_WD_Time", F_WD_Time) || !f_required(n, "F_Par_CRC", F_Par_CRC))
        return false;
    f_optional(n, "F_iPar_CRC", F_iPar_CRC);
    return true;
}

bool TRecordDataList::Read_RecordDataList(GsdNode n) {
    {
        IgnoredResult ignored;
        child(n, "F_ParameterRecordDataItem", F_ParameterRecordDataItem,
              &TF_ParameterRecordDataItem::Read_F_ParameterRecordDataItem);
    }
    return items(n, "ParameterRecordDataItem", ParameterRecordDataItemList,
                 &TParameterRecordDataItem::Read_ParameterRecordDataItem);
}

bool TAssign::Read_Assign(GsdNode n) {
    Attrs(n).text("TextId", FTextId).text("Content", FContent);
    return true;
}

bool TValueItem::Read_ValueItem(GsdNode n) {
    Attrs(n).text("ID", FID);
    attr_of_child(n, "Help", "TextId", FHelp);
    return items_in(n, "Assignments", into("Assign", AssignmentsList, &TAssign::Read_Assign));
}

bool TValueList::Read_ValueList(GsdNode n) {
    return items(n, "ValueItem", ValueItemList, &TValueItem::Read_ValueItem);
}

// ---------------------------------------------------------------- energy profile

bool TEnergySavingModeItem::Read_EnergySavingModeItem(GsdNode n) {
    Attrs(n).num("ID", FID)
        .num("TimeToPause", FTimeToPause)
        .num("RTTO", FRTTO)
        .num("TimeMinLengthOfStay", FTimeMinLengthOfStay)
        .real("PowerConsumption", FPowerConsumption)
        .real("EnergyConsumptionToDestination", FEnergyConsumptionToDestination)
        .real("EnergyConsumptionToOperation", FEnergyConsumptionToOperation);
    return true;
}

bool TEnergySavingModeList::Read_EnergySavingModeList(GsdNode n) {
    return items(n, "EnergySavingModeItem", EnergySavingModeItemList, &TEnergySavingModeItem::Read_EnergySavingModeItem);
}

bool TMeasurementValue::Read_MeasurementValue(GsdNode n) {
    Attrs(n).num("ID", FID).num("AccuracyDomain", FAccuracyDomain).num("AccuracyClass", FAccuracyClass);
    return true;
}

bool TMeasurementItem::Read_MeasurementItem(GsdNode n) {
    if (!Attrs(n).strict("Number", FNumber).ok()) return false;
    return items(n, "MeasurementValue", MeasurementValueList, &TMeasurementValue::Read_MeasurementValue);
}

bool TMeasurementList::Read_MeasurementList(GsdNode n) {
    return items(n, "MeasurementItem", MeasurementItemList, &TMeasurementItem::Read_MeasurementItem);
}

bool TPROFIenergy::Read_PROFIenergy(GsdNode n) {
    Attrs(n).text("ProfileVersion", FProfileVersion)
        .text("EntityClass", FEntityClass)
        .text("EntitySubclass", FEntitySubclass)
        .flag("DynamicTimeAndEnergyValues", FDynamicTimeAndEnergyValues)
        .flag("PESAP_uses_PROFIenergyASE", FPESAP_uses_PROFIenergyASE);
    return child(n, "EnergySavingModeList", EnergySavingModeList, &TEnergySavingModeList::Read_EnergySavingModeList) &&
           child(n, "MeasurementList", MeasurementList, &TMeasurementList::Read_MeasurementList);
}

// ---------------------------------------------------------------- submodules

bool TSubmoduleItemBase::read_base_attributes(GsdNode n) {
    Attrs(n).text("ID", FID)
        .num("SubmoduleIdentNumber", FSubmoduleIdentNumber)
        .num("API", FAPI)
        .flag("PROFIsafeSupported", FPROFIsafeSupported)
        .text("Writeable_IM_Records", FWriteable_IM_Records)
        .flag("IM5_Supported", FIM5_Supported)
        .num("Max_iParameterSize", FMax_iParameterSize)
        .num("SubsysModuleDirIndex", FSubsysModuleDirIndex)
        .text("SupportedSubstitutionModes", FSupportedSubstitutionModes)
        .flag("MayIssueProcessAlarm", FMayIssueProcessAlarm);
    return true;
}

bool TSubmoduleItemBase::read_base_children(GsdNode n) {
    return required(n, "IOData", IOData, &TIOData::Read_IOData) &&
           child(n, "RecordDataList", RecordDataList, &TRecordDataList::Read_RecordDataList) &&
           child(n, "ModuleInfo", ModuleInfo, &TModuleInfo::Read_ModuleInfo) &&
           child(n, "Graphics", Graphics, &TGraphics::Read_Graphics) &&
           child(n, "IsochroneMode", IsochroneMode, &TIsochroneMode::Read_IsochroneMode) &&
           child(n, "SlotCluster", SlotCluster, &TSlotCluster::Read_SlotCluster) &&
           child(n, "PROFIenergy", PROFIenergy, &TPROFIenergy::Read_PROFIenergy) &&
           child(n, "ReportingSystemEvents", ReportingSystemEvents,
                 &TReportingSystemEvents::Read_ReportingSystemEvents);
}

bool TSubmoduleItem::Read_SubmoduleItem(GsdNode n) {
    read_base_attributes(n);
    Attrs(n).text("RequiredSchemaVersion", FRequiredSchemaVersion);
    return read_base_children(n);
}

bool TVirtualSubmoduleItem::Read_VirtualSubmoduleItem(GsdNode n) {
    read_base_attributes(n);
    Attrs(n).text("FixedInSubslots", FFixedInSubslots);
    return read_base_children(n);
}

bool TVirtualSubmoduleList::Read_VirtualSubmoduleList(GsdNode n) {
    return items(n, "VirtualSubmoduleItem", VirtualSubmoduleItelList, &TVirtualSubmoduleItem::Read_VirtualSubmoduleItem);
}

bool TSubmoduleItemRef::Read_SubmoduleItemRef(GsdNode n) {
    Attrs(n).text("SubmoduleItemTarget", FSubmoduleItemTarget)
        .text("AllowedInSubslots", FAllowedInSubslots)
        .text("UsedInSubslots", FUsedInSubslots)
        .text("FixedInSubslots", FFixedInSubslots);
    return true;
}

bool TUseableSubmodules::Read_UseableSubmodules(GsdNode n) {
    return items(n, "SubmoduleItemRef", SubmoduleItemRefList, &TSubmoduleItemRef::Read_SubmoduleItemRef);
}

// ---------------------------------------------------------------- interface and ports

bool TGeneral::Read_General(GsdNode n) {
    attr_of_child(n, "DCP_FlashOnceSignalUnit", "TextId", FDCP_FlashOnceSignalUnit);
    return true;
}

bool TTimingProperties::Read_TimingProperties(GsdNode n) {
    Attrs(n).text("SendClock", FSendClock)
        .text("ReductionRatio", FReductionRatio)
        .text("ReductionRatioPow2", FReductionRatioPow2)
        .num("PreferredSendClock", FPreferredSendClock);
    return true;
}

bool TRT_Class3TimingProperties::Read_RT_Class3TimingProperties(GsdNode n) {
    Attrs(n).text("SendClock", FSendClock)
        .text("ReductionRatio", FReductionRatio)
        .text("ReductionRatioPow2", FReductionRatioPow2)
        .num("MaxReductionRatioIsochroneMode", FMaxReductionRatioIsochroneMode)
        .num("PreferredSendClock", FPreferredSendClock);
    return true;
}

bool TApplicationRelationsIntSubItem::Read_ApplicationRelations(GsdNode n) {
    Attrs(n).text("StartupMode", FStartupMode)
        .num("NumberOfAdditionalInputCR", FNumberOfAdditionalInputCR)
        .num("NumberOfAdditionalOutputCR", FNumberOfAdditionalOutputCR)
        .num("NumberOfAdditionalMulticastProviderCR", FNumberOfAdditionalMulticastProviderCR)
        .num("NumberOfMulticastConsumerCR", FNumberOfMulticastConsumerCR)
        .flag("PullModuleAlarmSupported", FPullModuleAlarmSupported)
        .num("NumberOfAR", FNumberOfAR);
    return child(n, "TimingProperties", TimingProperties, &TTimingProperties::Read_TimingProperties) &&
           child(n, "RT_Class3TimingProperties", RT_Class3TimingProperties,
                 &TRT_Class3TimingProperties::Read_RT_Class3TimingProperties);
}

bool TRT_Class3Properties::Read_RT_Class3Properties(GsdNode n) {
    Attrs(n).text("StartupMode", FStartupMode)
        .text("ForwardingMode", FForwardingMode)
        .num("MaxBridgeDelay", FMaxBridgeDelay)
        .num("MaxBridgeDelayFFW", FMaxBridgeDelayFFW)
        .num("MaxDFP_Feed", FMaxDFP_Feed)
        .num("MaxDFP_Frames", FMaxDFP_Frames)
        .flag("AlignDFP_Subframes", FAlignDFP_Subframes)
        .flag("DFP_OutboundTruncationSupported", FDFP_OutboundTruncationSupported)
        .flag("DFP_RedundantPathLayoutSupported", FDFP_RedundantPathLayoutSupported)
        .num("MaxNumberIR_FrameData", FMaxNumberIR_FrameData)
        .num("MaxRangeIR_FrameID", FMaxRangeIR_FrameID)
        .text("FragmentationType", FFragmentationType)
        .num("MaxRedPeriodLength", FMaxRedPeriodLength)
        .num("MinFSO", FMinFSO)
        .num("MinRTC3_Gap", FMinRTC3_Gap)
        .num("MinYellowTime", FMinYellowTime)
        .num("YellowSafetyMargin", FYellowSafetyMargin)
        .num("MaxRetentionTime", FMaxRetentionTime);
    return true;
}

bool TSynchronisationMode::Read_SynchronisationMode(GsdNode n) {
    Attrs(n).text("SupportedRole", FSupportedRole)
        .num("MaxLocalJitter", FMaxLocalJitter)
        .num("T_PLL_MAX", FT_PLL_MAX)
        .num("PeerToPeerJitter", FPeerToPeerJitter)
        .text("SupportedSyncProtocols", FSupportedSyncProtocols);
    return true;
}

bool TInterconnection::Read_Interconnection(GsdNode n) {
    Attrs(n).text("SupportedMRP_InterconnRole", FSupportedMRP_InterconnRole)
        .num("MaxMRP_InterconnInstances", FMaxMRP_InterconnInstances);
    return true;
}

bool TMediaRedundancy::Read_MediaRedundancy(GsdNode n) {
    Attrs(n).text("SupportedRole", FSupportedRole)
        .text("SupportedMultipleRole", FSupportedMultipleRole)
        .num("MaxMRP_Instances", FMaxMRP_Instances)
        .flag("MRPD_Supported", FMRPD_Supported)
        .flag("MRT_Supported", FMRT_Supported)
        .flag("AdditionalProtocolsSupported", FAdditionalProtocolsSupported)
        .flag("AdditionalForwardingRulesSupported", FAdditionalForwardingRulesSupported);
    return child(n, "Interconnection", Interconnection, &TInterconnection::Read_Interconnection);
}

bool TInterfaceSubmoduleItem::Read_InterfaceSubmoduleItem(GsdNode n) {
    Attrs(n).text("ID", FID)
        .num("SubmoduleIdentNumber", FSubmoduleIdentNumber)
        .text("TextId", FTextId)
        .num("SubslotNumber", FSubslotNumber)
        .text("SupportedRT_Class", FSupportedRT_Class)
        .text("SupportedRT_Classes", FSupportedRT_Classes)
        .flag("IsochroneModeSupported", FIsochroneModeSupported)
        .text("IsochroneModeInRT_Classes", FIsochroneModeInRT_Classes)
        .text("SupportedProtocols", FSupportedProtocols)
        .flag("NetworkComponentDiagnosisSupported", FNetworkComponentDiagnosisSupported)
        .flag("DCP_HelloSupported", FDCP_HelloSupported)
        .flag("PTP_BoundarySupported", FPTP_BoundarySupported)
        .flag("DCP_BoundarySupported", FDCP_BoundarySupported)
        .flag("MulticastBoundarySupported", FMulticastBoundarySupported)
        .flag("ParameterizationDisallowed", FParameterizationDisallowed)
        .flag("DelayMeasurementSupported", FDelayMeasurementSupported)
        .text("Writeable_IM_Records", FWriteable_IM_Records)
        .flag("IM5_Supported", FIM5_Supported)
        .num("MaxFrameStartTime", FMaxFrameStartTime)
        .num("MinNRT_Gap", FMinNRT_Gap)
        .flag("PDEV_CombinedObjectSupported", FPDEV_CombinedObjectSupported)
        .flag("UsesStaticARP_CacheEntries", FUsesStaticARP_CacheEntries);
    return child(n, "General", General, &TGeneral::Read_General) &&
           child(n, "RecordDataList", RecordDataList, &TRecordDataList::Read_RecordDataList) &&
           child(n, "RT_Class3Properties", RT_Class3Properties, &TRT_Class3Properties::Read_RT_Class3Properties) &&
           child(n, "SynchronisationMode", SynchronisationMode, &TSynchronisationMode::Read_SynchronisationMode) &&
           child(n, "ApplicationRelations", ApplicationRelationsIntSubItem,
                 &TApplicationRelationsIntSubItem::Read_ApplicationRelations) &&
           child(n, "MediaRedundancy", MediaRedundancy, &TMediaRedundancy::Read_MediaRedundancy);
}

bool TMAUTypeItem::Read_MAUTypeItem(GsdNode n) {
    Attrs(n).num("Value", FValue).num("Extension", FExtension).flag("AdjustSupported", FAdjustSupported);
    return true;
}

bool TMAUTypeList::Read_MAUTypeList(GsdNode n) {
    Attrs(n).flag("ExtensionSupported", FExtensionSupported);
    return items(n, "MAUTypeItem", MAUTypeItemList, &TMAUTypeItem::Read_MAUTypeItem);
}

bool TPortSubmoduleItemBase::read_base_attributes(GsdNode n) {
    return Attrs(n)
        .text("ID", FID)
        .num("SubmoduleIdentNumber", FSubmoduleIdentNumber)
        .text("MAUType", FMAUType)
        .text("MAUTypes", FMAUTypes)
        .text("FiberOpticTypes", FFiberOpticTypes)
        .strict("MaxPortTxDelay", FMaxPortTxDelay)
        .strict("MaxPortRxDelay", FMaxPortRxDelay)
        .flag("PortDeactivationSupported", FPortDeactivationSupported)
        .text("LinkStateDiagnosisCapability", FLinkStateDiagnosisCapability)
        .flag("PowerBudgetControlSupported", FPowerBudgetControlSupported)
        .flag("SupportsRingportConfig", FSupportsRingportConfig)
        .flag("IsDefaultRingport", FIsDefaultRingport)
        .flag("SupportsMRP_InterconnPortConfig", FSupportsMRP_InterconnPortConfig)
        .flag("ParameterizationDisallowed", FParameterizationDisallowed)
        .text("Writeable_IM_Records", FWriteable_IM_Records)
        .flag("IM5_Supported", FIM5_Supported)
        .flag("CheckMAUTypeSupported", FCheckMAUTypeSupported)
        .flag("CheckMAUTypeDifferenceSupported", FCheckMAUTypeDifferenceSupported)
        .flag("ShortPreamble100MBitSupported", FShortPreamble100MBitSupported)
        .ok();
}

void TPortSubmoduleItemBase::read_base_children(GsdNode n) {
    IgnoredResult ignored;
    child(n, "MAUTypeList", MAUTypeList, &TMAUTypeList::Read_MAUTypeList);
    child(n, "RecordDataList", RecordDataList, &TRecordDataList::Read_RecordDataList);
}

bool TPortSubmoduleItem::Read_PortSubmoduleItem(GsdNode n) {
    bool ok = read_base_attributes(n);
    // A failed strict conversion ends the attribute reading, as for any element.
    if (!ok) return false;
    Attrs(n).num("SubslotNumber", FSubslotNumber).text("TextId", FTextId);
    read_base_children(n);
    return true;
}

bool TSystemDefinedSubmoduleList::Read_SystemDefinedSubmoduleList(GsdNode n) {
    return required(n, "InterfaceSubmoduleItem", InterfaceSubmoduleItem,
                    &TInterfaceSubmoduleItem::Read_InterfaceSubmoduleItem) &&
           items(n, "PortSubmoduleItem", PortSubmoduleItemList, &TPortSubmoduleItem::Read_PortSubmoduleItem);
}

const std::string& TSubmoduleListEntry::FID() const {
    return std::visit([](const auto& s) -> const std::string& { return s.FID; }, item);
}

uint32_t TSubmoduleListEntry::FSubmoduleIdentNumber() const {
    return std::visit([](const auto& s) { return s.FSubmoduleIdentNumber; }, item);
}

const TRecordDataList* TSubmoduleListEntry::RecordDataList() const {
    if (const TSubmoduleItem* s = submodule()) return s->RecordDataList.get();
    return &port()->RecordDataList;
}

bool TSubmoduleList::Read_SubmoduleList(GsdNode n) {
    for (GsdNode c = n.first_child(); c; c = c.next_sibling()) {
        if (is_named(c, "SubmoduleItem")) {
            TSubmoduleItem s;
            if (!s.Read_SubmoduleItem(c)) return false;
            SubmoduleList.push_back({std::move(s)});
        } else if (is_named(c, "PortSubmoduleItem")) {
            TPortSubmoduleItem p;
            if (!p.Read_PortSubmoduleItem(c)) return false;
            SubmoduleList.push_back({std::move(p)});
        }
    }
    return true;
}

const TSubmoduleListEntry* TSubmoduleList::Get_SubmoduleItem(const std::string& Submodule_ID) const {
    for (const TSubmoduleListEntry& e : SubmoduleList)
        if (e.FID() == Submodule_ID) return &e;
    return nullptr;
}

// ---------------------------------------------------------------- access points and modules

bool TDeviceAccessPointItem::Read_DeviceAccessPointItem(GsdNode n) {
    Attrs(n).text("ID", FID)
        .num("ModuleIdentNumber", FModuleIdentNumber, 1)
        .text("PNIO_Version", FPNIO_Version)
        .text("PhysicalSlots", FPhysicalSlots)
        .num("MinDeviceInterval", FMinDeviceInterval)
        .text("ImplementationType", FImplementationType)
        .text("DNS_CompatibleName", FDNS_CompatibleName)
        .text("AddressAssignment", FAddressAssignment)
        .text("AllowedInSlots", FAllowedInSlots)
        .text("FixedInSlots", FFixedInSlots)
        .num("ObjectUUID_LocalIndex", FObjectUUID_LocalIndex)
        .text("RequiredSchemaVersion", FRequiredSchemaVersion)
        .flag("MultipleWriteSupported", FMultipleWriteSupported)
        .flag("IOXS_Required", FIOXS_Required)
        .text("PhysicalSubslots", FPhysicalSubslots)
        .num("RemoteApplicationTimeout", FRemoteApplicationTimeout)
        .num("MaxSupportedRecordSize", FMaxSupportedRecordSize)
        .num("PowerOnToCommReady", FPowerOnToCommReady)
        .flag("ParameterizationSpeedupSupported", FParameterizationSpeedupSupported)
        .flag("NameOfStationNotTransferable", FNameOfStationNotTransferable)
        .flag("SharedDeviceSupported", FSharedDeviceSupported)
        .flag("SharedInputSupported", FSharedInputSupported)
        .flag("DeviceAccessSupported", FDeviceAccessSupported)
        .num("NumberOfDeviceAccessAR", FNumberOfDeviceAccessAR)
        .num("NumberOfImplicitAR", FNumberOfImplicitAR)
        .text("WebServer", FWebServer)
        .flag("AutoConfigurationSupported", FAutoConfigurationSupported)
        .flag("CIR_Supported", FCIR_Supported)
        .flag("PrmBeginPrmEndSequenceSupported", FPrmBeginPrmEndSequenceSupported)
        .flag("LLDP_NoD_Supported", FLLDP_NoD_Supported)
        .text("ResetToFactoryModes", FResetToFactoryModes)
        .flag("IO_SupervisorSupported", FIO_SupervisorSupported)
        .flag("CheckDeviceID_Allowed", FCheckDeviceID_Allowed)
        .flag("PROFIenergyASE_Supported", FPROFIenergyASE_Supported)
        .flag("AdaptsRealIdentification", FAdaptsRealIdentification)
        .num("NumberOfSubmodules", FNumberOfSubmodules);

    // Only ModuleInfo and IOConfigData matter; whatever else fails is ignored.
    if (!required(n, "ModuleInfo", ModuleInfo, &TModuleInfo::Read_ModuleInfo)) return false;
    GsdNode io = find_child(n, "IOConfigData");
    if (!io) {
        note_failure(n, "required element IOConfigData is missing");
        return false;
    }
    IgnoredResult ignored;
    child(n, "CertificationInfo", CertificationInfo, &TCertificationInfo::Read_CertificationInfo);
    child(n, "SubslotList", SubslotList, &TSubslotList::Read_SubslotList);
    IOConfigData.Read_IOConfigData(io);
    child(n, "UseableModules", UseableModules, &TUseableModules::Read_UseableModules);
    child(n, "ARVendorBlock", ARVendorBlock, &TARVendorBlock::Read_ARVendorBlock);
    child(n, "VirtualSubmoduleList", VirtualSubmoduleList, &TVirtualSubmoduleList::Read_VirtualSubmoduleList);
    child(n, "SystemDefinedSubmoduleList", SystemDefinedSubmoduleList,
          &TSystemDefinedSubmoduleList::Read_SystemDefinedSubmoduleList);
    child(n, "Graphics", Graphics, &TGraphics::Read_Graphics);
    FAssetManagement = static_cast<bool>(find_child(n, "AssetManagement"));
    child(n, "ApplicationRelations", ApplicationRelations, &TApplicationRelations::Read_ApplicationRelations);
    child(n, "SystemRedundancy", SystemRedundancy, &TSystemRedundancy::Read_SystemRedundancy);
    child(n, "UseableSubmodules", UseableSubmodules, &TUseableSubmodules::Read_UseableSubmodules);
    child(n, "SlotList", SlotList, &TSlotList::Read_SlotList);
    child(n, "SlotGroups", SlotGroups, &TSlotGroups::Read_SlotGroups);
    child(n, "FieldbusIntegrationSlots", FieldbusIntegrationSlots,
          &TFieldbusIntegrationSlots::Read_FieldbusIntegrationSlots);
    return true;
}

std::string TDeviceAccessPointItem::Get_SubslotName(int SubSlotNum) const {
    if (SubslotList)
        for (const TSubslotItem& s : SubslotList->SubslotItemList)
            if (s.FSubslotNumber == SubSlotNum) return s.FTextId;
    return {};
}

bool TDeviceAccessPointList::Read_DeviceAccessPointList(GsdNode n) {
    return items(n, "DeviceAccessPointItem", DevAccPointItemList, &TDeviceAccessPointItem::Read_DeviceAccessPointItem);
}

namespace {
const TDeviceAccessPointItem* find_access_point(const std::vector<TDeviceAccessPointItem>& list, const std::string& name,
                                                const std::string& category, const TGSDML& gsdml, bool by_id) {
    for (const TDeviceAccessPointItem& d : list) {
        const std::string& id = d.ModuleInfo.FName;
        if ((by_id ? id : gsdml.GetString_ExternalTextList(id)) != name) continue;
        if (!category.empty() && gsdml.GetString_ExternalTextList(d.ModuleInfo.FCategoryRef) != category) continue;
        return &d;
    }
    return nullptr;
}
}  // namespace

const TDeviceAccessPointItem* TDeviceAccessPointList::Get_DeviceAccessPointItem(const std::string& Name_Device,
                                                                                const std::string& DeviceCategoryRef,
                                                                                const TGSDML& gsdml) const {
    return find_access_point(DevAccPointItemList, Name_Device, DeviceCategoryRef, gsdml, false);
}

const TDeviceAccessPointItem* TDeviceAccessPointList::Get_DeviceAccessPointItemByID(
    const std::string& Name_Device, const std::string& DeviceCategoryRef, const TGSDML& gsdml) const {
    return find_access_point(DevAccPointItemList, Name_Device, DeviceCategoryRef, gsdml, true);
}

bool TModuleItem::Read_ModuleItem(GsdNode n) {
    Attrs(n).text("ID", FID)
        .num("ModuleIdentNumber", FModuleIdentNumber, 1)
        .text("RequiredSchemaVersion", FRequiredSchemaVersion)
        .text("PhysicalSubslots", FPhysicalSubslots)
        .num("FieldbusType", FFieldbusType);
    return required(n, "ModuleInfo", ModuleInfo, &TModuleInfo::Read_ModuleInfo) &&
           child(n, "SubslotList", SubslotList, &TSubslotList::Read_SubslotList) &&
           child(n, "VirtualSubmoduleList", VirtualSubmoduleList, &TVirtualSubmoduleList::Read_VirtualSubmoduleList) &&
           child(n, "SystemDefinedSubmoduleList", SystemDefinedSubmoduleList,
                 &TSystemDefinedSubmoduleList::Read_SystemDefinedSubmoduleList) &&
           child(n, "UseableSubmodules", UseableSubmodules, &TUseableSubmodules::Read_UseableSubmodules) &&
           child(n, "Graphics", Graphics, &TGraphics::Read_Graphics);
}

bool TModuleList::Read_ModuleList(GsdNode n) {
    return items(n, "ModuleItem", ModuleItemList, &TModuleItem::Read_ModuleItem);
}

const TModuleItem* TModuleList::Get_ModuleItem(const std::string& Module_ID) const {
    for (const TModuleItem& m : ModuleItemList)
        if (m.FID == Module_ID) return &m;
    return nullptr;
}

// ---------------------------------------------------------------- diagnosis, alarms, logbook

namespace {
bool name_and_help(GsdNode n, std::string& name, std::string& help) {
    if (!required_attr_of_child(n, "Name", "TextId", name)) return false;
    attr_of_child(n, "Help", "TextId", help);
    return true;
}
}  // namespace

bool TExtChannelAddValue::Read_DataItem(GsdNode n) {
    Attrs(n).num("Id", FId).text("DataType", FDataType);
    return true;
}

bool TExtChannelDiagItem::Read_ExtChannelDiagItem(GsdNode n) {
    Attrs(n).num("ErrorType", FErrorType).text("MaintenanceAlarmState", FMaintenanceAlarmState);
    return name_and_help(n, FName, FHelp) &&
           items_in(n, "ExtChannelAddValue",
                    into("DataItem", ExtChannelAddValueList, &TExtChannelAddValue::Read_DataItem));
}

bool TChannelDiagItem::Read_ChannelDiagItem(GsdNode n) {
    Attrs(n).num("ErrorType", FErrorType).text("MaintenanceAlarmState", FMaintenanceAlarmState);
    return name_and_help(n, FName, FHelp) &&
           items_in(n, "ExtChannelDiagList",
                    into("ExtChannelDiagItem", ExtChannelDiagList, &TExtChannelDiagItem::Read_ExtChannelDiagItem));
}

bool TProfileChannelDiagItem::Read_ProfileChannelDiagItem(GsdNode n) {
    Attrs(n).num("API", FAPI);
    return Read_ChannelDiagItem(n);
}

TSystemDefinedChannelDiagItem::TSystemDefinedChannelDiagItem() = default;
TSystemDefinedChannelDiagItem::TSystemDefinedChannelDiagItem(TSystemDefinedChannelDiagItem&&) noexcept = default;
TSystemDefinedChannelDiagItem& TSystemDefinedChannelDiagItem::operator=(TSystemDefinedChannelDiagItem&&) noexcept =
    default;
TSystemDefinedChannelDiagItem::~TSystemDefinedChannelDiagItem() = default;

bool TSystemDefinedChannelDiagItem::Read_SystemDefinedChannelDiagItem(GsdNode n) {
    Attrs(n).num("ErrorType", FErrorType);
    return items_in(
        n, "ExtChannelDiagList",
        into_either("ExtChannelDiagItem", ExtChannelDiagList, &TExtChannelDiagItem::Read_ExtChannelDiagItem),
        into_either("ProfileExtChannelDiagItem", ExtChannelDiagList,
                    &TProfileExtChannelDiagItem::Read_ProfileExtChannelDiagItem));
}

bool TProfileExtChannelDiagItem::Read_ProfileExtChannelDiagItem(GsdNode n) {
    // Base attributes first, then API, then the base children.
    Attrs(n).num("ErrorType", FErrorType).num("API", FAPI);
    return Read_SystemDefinedChannelDiagItem(n);
}

bool TChannelDiagList::Read_ChannelDiagList(GsdNode n) {
    return items_of(n, into("ChannelDiagItem", ChannelDiagItemList, &TChannelDiagItem::Read_ChannelDiagItem),
                    into("SystemDefinedChannelDiagItem", SystemDefinedChannelDiagItemList,
                         &TSystemDefinedChannelDiagItem::Read_SystemDefinedChannelDiagItem),
                    into("ProfileChannelDiagItem", ProfileChannelDiagItemList,
                         &TProfileChannelDiagItem::Read_ProfileChannelDiagItem));
}

bool TProcessAlarmReasonAddValue::Read_DataItem(GsdNode n) {
    Attrs(n).num("Id", FId).text("DataType", FDataType);
    return true;
}

bool TExtChannelProcessAlarmItem::Read_ExtChannelProcessAlarmItem(GsdNode n) {
    Attrs(n).num("Reason", FReason);
    return name_and_help(n, FName, FHelp) &&
           items_in(n, "ProcessAlarmReasonAddValue",
                    into("DataItem", ProcessAlarmReasonAddValueList, &TProcessAlarmReasonAddValue::Read_DataItem));
}

bool TChannelProcessAlarmItem::Read_ChannelProcessAlarmItem(GsdNode n) {
    Attrs(n).num("Reason", FReason);
    return name_and_help(n, FName, FHelp) &&
           items_in(n, "ExtChannelProcessAlarmList",
                    into("ExtChannelProcessAlarmItem", ExtChannelProcessAlarmList,
                         &TExtChannelProcessAlarmItem::Read_ExtChannelProcessAlarmItem));
}

bool TSystemDefinedChannelProcessAlarmItem::Read_SystemDefinedChannelProcessAlarmItem(GsdNode n) {
    Attrs(n).num("Reason", FReason);
    return items_in(n, "ExtChannelProcessAlarmList",
                    into("ExtChannelProcessAlarmItem", ExtChannelProcessAlarmList,
                         &TExtChannelProcessAlarmItem::Read_ExtChannelProcessAlarmItem));
}

bool TProfileExtChannelProcessAlarmItem::Read_ProfileExtChannelProcessAlarmItem(GsdNode n) {
    Attrs(n).num("Reason", FReason).num("API", FAPI);
    return Read_SystemDefinedChannelProcessAlarmItem(n);
}

bool TProfileChannelProcessAlarmItem::Read_ProfileChannelProcessAlarmItem(GsdNode n) {
    Attrs(n).num("API", FAPI).num("Reason", FReason);
    return name_and_help(n, FName, FHelp) &&
           items_in(n, "ExtChannelProcessAlarmList",
                    into_either("ExtChannelProcessAlarmItem", ExtChannelProcessAlarmList,
                                &TExtChannelProcessAlarmItem::Read_ExtChannelProcessAlarmItem),
                    into_either("ProfileExtChannelProcessAlarmItem", ExtChannelProcessAlarmList,
                                &TProfileExtChannelProcessAlarmItem::Read_ProfileExtChannelProcessAlarmItem));
}

bool TChannelProcessAlarmList::Read_ChannelProcessAlarmList(GsdNode n) {
    return items_of(n,
                    into("ChannelProcessAlarmItem", ChannelProcessAlarmItem,
                         &TChannelProcessAlarmItem::Read_ChannelProcessAlarmItem),
                    into("SystemDefinedChannelProcessAlarmItem", SystemDefinedChannelProcessAlarmItem,
                         &TSystemDefinedChannelProcessAlarmItem::Read_SystemDefinedChannelProcessAlarmItem),
                    into("ProfileChannelProcessAlarmItem", ProfileChannelProcessAlarmItem,
                         &TProfileChannelProcessAlarmItem::Read_ProfileChannelProcessAlarmItem));
}

bool TValueItemReference::Read_Ref(GsdNode n) {
    Attrs(n).text("ValueItemTarget", FValueItemTarget)
        .num("ByteOffset", FByteOffset)
        .num("BitOffset", FBitOffset)
        .num("BitLength", FBitLength)
        .text("TextId", FTextId)
        .num("Length", FLength)
        .text("DataType", FDataType)
        .text("DefaultValue", FDefaultValue);
    return true;
}

bool TUnitDiagTypeItem::Read_UnitDiagTypeItem(GsdNode n) {
    Attrs(n).num("UserStructureIdentifier", FUserStructureIdentifier);
    attr_of_child(n, "Name", "TextId", FName);
    attr_of_child(n, "Help", "TextId", FHelp);
    return items(n, "Ref", ValueItemReferenceList, &TValueItemReference::Read_Ref);
}

bool TProfileUnitDiagTypeItem::Read_ProfileUnitDiagTypeItem(GsdNode n) {
    Attrs(n).num("UserStructureIdentifier", FUserStructureIdentifier).num("API", FAPI);
    return Read_UnitDiagTypeItem(n);
}

bool TUnitDiagTypeList::Read_UnitDiagTypeList(GsdNode n) {
    return items_of(
        n, into_either("UnitDiagTypeItem", UnitDiagTypeList, &TUnitDiagTypeItem::Read_UnitDiagTypeItem),
        into_either("ProfileUnitDiagTypeItem", UnitDiagTypeList, &TProfileUnitDiagTypeItem::Read_ProfileUnitDiagTypeItem));
}

bool TErrorCode2Value::Read_ErrorCode2Value(GsdNode n) {
    attr_of_child(n, "Name", "TextId", FName);
    attr_of_child(n, "Help", "TextId", FHelp);
    return true;
}

bool TErrorCode2Item::Read_ErrorCode2Item(GsdNode n) {
    Attrs(n).num("ErrorCode2", FErrorCode2);
    return name_and_help(n, FName, FHelp);
}

bool TLogBookEntryItem::Read_LogBookEntryItem(GsdNode n) {
    Attrs(n).num("Status", FStatus);
    return child(n, "ErrorCode2Value", ErrorCode2Value, &TErrorCode2Value::Read_ErrorCode2Value) &&
           items_in(n, "ErrorCode2List", into("ErrorCode2Item", ErrorCode2List, &TErrorCode2Item::Read_ErrorCode2Item));
}

bool TLogBookEntryList::Read_LogBookEntryList(GsdNode n) {
    return items(n, "LogBookEntryItem", LogBookEntryList, &TLogBookEntryItem::Read_LogBookEntryItem);
}

// ---------------------------------------------------------------- graphics, categories, texts

bool TGraphicItem::Read_GraphicItem(GsdNode n) {
    Attrs(n).text("ID", FID).text("GraphicFile", FGraphicFile);
    return true;
}

bool TGraphicsList::Read_GraphicsList(GsdNode n) {
    return items(n, "GraphicItem", GraphicsList, &TGraphicItem::Read_GraphicItem);
}

bool TCategoryItem::Read_CategoryItem(GsdNode n) {
    Attrs(n).text("ID", FID).text("TextId", FTextId).text("InfoText", FInfoText);
    return true;
}

bool TCategoryList::Read_CategoryList(GsdNode n) {
    return items(n, "CategoryItem", CategoryList, &TCategoryItem::Read_CategoryItem);
}

std::string_view TextArena::keep(std::string_view text) {
    // Blocks grow from small, so the few texts of a small file take little room.
    constexpr size_t kFirst = 1024, kLargest = 64 * 1024;
    if (text.empty()) return {};
    if (text.size() > left_) {
        const size_t block = last_ == 0 ? kFirst : std::min(kLargest, 2 * last_);
        if (text.size() > block / 4) {
            // A long text gets a block of its own; the current one keeps its room.
            char* own = blocks_.emplace_back(std::make_unique_for_overwrite<char[]>(text.size())).get();
            std::memcpy(own, text.data(), text.size());
            return {own, text.size()};
        }
        free_ = blocks_.emplace_back(std::make_unique_for_overwrite<char[]>(block)).get();
        left_ = last_ = block;
    }
    std::string_view kept(static_cast<const char*>(std::memcpy(free_, text.data(), text.size())), text.size());
    free_ += text.size();
    left_ -= text.size();
    return kept;
}

bool TTextItem::Read_TextItem(GsdNode n, TextArena& texts) {
    std::string_view id, value;
    Attrs(n).view("TextId", id).view("Value", value);
    FTextId = texts.keep(id);
    FValue = texts.keep(value);
    return true;
}

namespace {
bool read_texts(GsdNode section, std::vector<TTextItem>& list, TextArena& texts) {
    return items(section, "Text", list, [&](TTextItem& t, GsdNode c) { return t.Read_TextItem(c, texts); });
}
}  // namespace

bool TPrimaryLanguage::Read_PrimaryLanguage(GsdNode n) { return read_texts(n, TextList, Texts); }

bool TLanguage::Read_Language(GsdNode n) {
    Attrs(n).text("xml:lang", FLang);
    return read_texts(n, TextList, Texts);
}

bool TExternalTextList::Read_ExternalTextList(GsdNode n) {
    {
        IgnoredResult ignored;
        child(n, "PrimaryLanguage", PrimaryLanguage, &TPrimaryLanguage::Read_PrimaryLanguage);
    }
    return items(n, "Language", LanguageList, &TLanguage::Read_Language);
}

// ---------------------------------------------------------------- application process and body

bool TApplicationProcess::Read_ApplicationProcess(GsdNode n) {
    return required(n, "DeviceAccessPointList", DeviceAccessPointList,
                    &TDeviceAccessPointList::Read_DeviceAccessPointList) &&
           child(n, "ModuleList", ModuleList, &TModuleList::Read_ModuleList) &&
           child(n, "SubmoduleList", SubmoduleList, &TSubmoduleList::Read_SubmoduleList) &&
           child(n, "ValueList", ValueList, &TValueList::Read_ValueList) &&
           child(n, "ChannelDiagList", ChannelDiagList, &TChannelDiagList::Read_ChannelDiagList) &&
           child(n, "ChannelProcessAlarmList", ChannelProcessAlarmList,
                 &TChannelProcessAlarmList::Read_ChannelProcessAlarmList) &&
           child(n, "UnitDiagTypeList", UnitDiagTypeList, &TUnitDiagTypeList::Read_UnitDiagTypeList) &&
           child(n, "LogBookEntryList", LogBookEntryList, &TLogBookEntryList::Read_LogBookEntryList) &&
           child(n, "GraphicsList", GraphicsList, &TGraphicsList::Read_GraphicsList) &&
           child(n, "CategoryList", CategoryList, &TCategoryList::Read_CategoryList) &&
           required(n, "ExternalTextList", ExternalTextList,
                    &TExternalTextList::Read_ExternalTextList);
}

bool TProfileBody::Read_ProfileBody(GsdNode n) {
    return required(n, "DeviceIdentity", DeviceIdentity, &TDeviceIdentity::Read_DeviceIdentity) &&
           required(n, "DeviceFunction", DeviceFunction, &TDeviceFunction::Read_DeviceFunction) &&
           required(n, "ApplicationProcess", ApplicationProcess, &TApplicationProcess::Read_ApplicationProcess);
}

}  // namespace zv
