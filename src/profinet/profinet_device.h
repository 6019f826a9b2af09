#pragma once
// The model of one PROFINET IO device of the network: its own decoded GSDML
// document, the chosen access point, addressing and timing, and the tree of
// slots and subslots with the plugged modules, submodules and parameter values.
//
// References: the module and submodule catalogs of a device hold shared,
// immutable entries (shared_ptr<const ...>). Slots and subslots refer to them
// and so do the working copies of the modules dialog, so an entry stays alive
// as long as anything still refers to it. Everything the user changes (plugging,
// parameter values, mnemonics, options) lives in the slot and subslot values,
// which are plain values and copy deeply.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gsdml/gsdml.h"

namespace zv {

struct TDiscreteItem {
    int32_t FValue = -1;
    std::string FText;
};

struct TParam {
    int32_t FByteOffset = 0, FBitOffset = 0, FBitLength = 0;
    std::string FName;
    int32_t FLength = 0;
    std::string FDataType;
    std::string FDefaultValue, FAllowedValues;  // as written in the description
    std::string FValue;     // the user's value; the decimal value for a value list
    std::string FMnemonic;
    std::vector<TDiscreteItem> DiscreteList;
    std::vector<std::string> DiscreteSL;  // the texts of DiscreteList, same order

    // Text of the first entry with that value; empty when none.
    std::string GetDiscreteByValue(int32_t Value) const;
    // Value of the first entry with that text; -1 when none.
    int32_t GetValueByDiscrete(const std::string& Discrete) const;
    void Clear_DiscreteList();
    // Why the typed FValue does not fit the data type or allowed values; empty
    // when it fits. A value chosen from the value list is not judged.
    std::string value_warning() const;
};

struct TParametersGroup {
    std::string FGroupName;
    int32_t FInd = 0;
    std::string FDataConst;
    int32_t FDataByteOffset = 0;
    int32_t FLength = 0;
    std::vector<TParam> Parameters_List;

    void Get_Parameters(const TGSDML& gsdml, const TParameterRecordDataItem& ParamRecDataItem);
    void Clear_Parameters_List() { Parameters_List.clear(); }
};

using ParamGroups = std::vector<TParametersGroup>;

// The parameter groups of a record list, one per ParameterRecordDataItem.
ParamGroups Get_ParametersGroup(const TGSDML& gsdml, const TRecordDataList& RecordDataList);

struct TPROFINET_Submodule {
    std::string FID, FName, FInfo;
    uint32_t FIdentNumber = 0;
    uint32_t FAPI = 0;
    bool FParameterizationDisallowed = false;
    int32_t FDataLenIn = 0, FDataLenOut = 0;
    ParamGroups ParametersList;

    // From an ordinary or virtual submodule of the description.
    void Read_SubmoduleItem(const TGSDML& gsdml, const TSubmoduleItemBase& SubmoduleItem);
    void CopySubmoduleParamGroupList(const ParamGroups& list) { ParametersList = list; }
    void Clear_SubmoduleParamGroup_List() { ParametersList.clear(); }
};

using SubmoduleRef = std::shared_ptr<const TPROFINET_Submodule>;

struct TPROFINET_Subslot {
    bool FFixed = false;
    int32_t FSubslotNum = 1;
    std::string FSubSlotName;
    int32_t FStartAddIn = 0, FQuantityIn = 0, FStartAddOut = 0, FQuantityOut = 0;
    bool FStatus = false;    // "Map Only Data"
    bool FWord_Pos = false;  // "Different Word"
    std::string FMnemonic;
    SubmoduleRef Selected_SubModule;
    std::vector<SubmoduleRef> SubmodulesList;
    std::vector<std::string> SubModNameList;
    ParamGroups ParametersList;  // the plugged submodule's groups with the user's values

    void CopySubmoduleParamGroupList(const ParamGroups& list) { ParametersList = list; }
    void Clear_SubmoduleParamGroup_List() { ParametersList.clear(); }
    // Index in SubmodulesList of the first submodule called NameSubmodule; -1 when none.
    int GetIndexSubmodule(const std::string& NameSubmodule) const;
    // Plugs a submodule (null unplugs) with fresh parameter groups.
    void plug(SubmoduleRef sm);
};

using SubslotList = std::vector<TPROFINET_Subslot>;

struct TPROFINET_Module {
    std::string FID, FName, FInfo;
    uint32_t FModuleIdentNumber = 0;
    std::string FOrderNumber;
    SubslotList SubslotsList;

    // The text offered in the module drop-down: name and order number.
    std::string name_text() const { return FName + " (" + FOrderNumber + ")"; }

    // Builds one catalog module. False when something failed on the way; what
    // was built stays.
    bool Read_ModuleItem(const TGSDML& gsdml, const TModuleItem& app_ModuleItem,
                         const std::vector<SubmoduleRef>& SubmoduleList,
                         const TDeviceAccessPointItem& app_DeviceAccessPointItem);
    void Create_Subslots(const std::string& PhysicalSubslots, const TSubslotList* SubslotListDesc, const TGSDML& gsdml);
    void Import_Submodule(const TSubmoduleItemRef& SubmoduleItemRef, const std::vector<SubmoduleRef>& SubmoduleList,
                          const TSubslotList* SubslotList, const TGSDML& gsdml);
    void Import_FixedinSubslot(const SubmoduleRef& sm, const std::string& list, const TSubslotList* desc,
                               const TGSDML& gsdml);
    void Import_AllowinSubslot(const SubmoduleRef& sm, const std::string& list, const TSubslotList* desc,
                               const TGSDML& gsdml);
    void Import_UsedinSubslot(const SubmoduleRef& sm, const std::string& list);

    TPROFINET_Subslot* find_subslot(int32_t num);
};

using ModuleRef = std::shared_ptr<const TPROFINET_Module>;

struct TPROFINET_Slot {
    bool FFixed = false;
    int32_t FSlotNum = 0;
    ModuleRef Selected_Module;
    std::vector<ModuleRef> ModulesList;
    std::vector<std::string> ModNameList;
    SubslotList SubSlotList;

    void Copy_SubSlot_List(const SubslotList& SubSList) { SubSlotList = SubSList; }
    void Clear_SubSlot_List() { SubSlotList.clear(); }
    // Index in ModulesList of the first module whose name text is NameModule; -1 when none.
    int GetIndexModule(const std::string& NameModule) const;
    // Plugs a module (null unplugs): its subslot layout as built from the description.
    void plug(ModuleRef m);
};

class TPROFINET_Device {
public:
    std::unique_ptr<TGSDML> FGSDML;
    std::string FNameOfStation;
    std::string FIPAddress;
    bool FNewSessionSPI = false;
    bool FResetDataOnFail = false;
    int32_t FUpdateTime = 0;  // index into UpdateTimeVal
    int32_t FAnswerTime = 0;  // answer factor = index + 3
    int32_t FFixedInSlots = 0;
    std::string FDeviceNameID, FDeviceName, FDeviceCategoryRef;
    int32_t FMinDevInterval = 0;  // units of 31.25 us
    int32_t FSendClock = 32;
    int32_t FReductionRadio = 2;
    std::vector<int32_t> Values_SendClock, Values_ReductionRadio;
    std::vector<TPROFINET_Slot> SlotList;
    std::vector<std::shared_ptr<TPROFINET_Module>> ModulesList;
    std::vector<SubmoduleRef> SubmoduleList;
    std::vector<std::string> UpdateTimeVal;

    // Attaches the document and presets the name of station.
    void SetGSDML(std::unique_ptr<TGSDML> Value);
    // Builds catalogs, slots, timing lists from the document for the access point
    // named by FDeviceNameID (or FDeviceName) and FDeviceCategoryRef.
    void ReadInfoFromGSDML();
    // The access point this device stands for; null when the document lacks it.
    const TDeviceAccessPointItem* access_point() const;

    bool CheckUpdateTime(int Index);
    bool CheckAnswerTime(int Index, double& AnsTime) const;

    void Create_Slots(const std::string& PhysicalSlots);
    void Import_Module(const TModulesItemRef& ModulesItemRef);
    void Import_Module_FixedinSlot(const ModuleRef& m, const std::string& list);
    void Import_Module_AllowinSlot(const ModuleRef& m, const std::string& list);
    void Import_Module_UsedinSlot(const ModuleRef& m, const std::string& list);

    TPROFINET_Slot* find_slot(int32_t num);
};

// Blank-separated numbers and ranges "a..b" (both ends included), in list
// order; tokens that do not parse and reversed or negative ranges are skipped.
std::vector<int32_t> parse_slot_list(std::string_view text);

// A time in milliseconds as the dialogs show it: up to 12 significant digits.
std::string format_ms(double ms);

// Update time of a send clock and a reduction ratio, in milliseconds.
inline double update_time_ms(int32_t send_clock, int32_t reduction) {
    return static_cast<double>(send_clock) * reduction * 0.03125;
}

inline constexpr double kMaxAnswerTimeMs = 1920;
inline constexpr int kAnswerFactors = 253;  // factors 3 to 255

}  // namespace zv
