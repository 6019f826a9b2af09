#include "profinet/profinet_device.h"

#include <cstdio>

#include "gsdml/gsdml_read.h"
#include "gsdml/param_value.h"
#include "text/text_util.h"

namespace zv {
namespace {

std::string subslot_name(const TSubslotList* desc, int32_t num, const TGSDML& gsdml) {
    if (!desc) return {};
    for (const TSubslotItem& s : desc->SubslotItemList)
        if (s.FSubslotNumber == num) return gsdml.GetString_ExternalTextList(s.FTextId);
    return {};
}

// A subslot that the user cannot change, holding exactly one submodule.
TPROFINET_Subslot fixed_subslot(int32_t num, std::string name, SubmoduleRef sm) {
    TPROFINET_Subslot s;
    s.FFixed = true;
    s.FSubslotNum = num;
    s.FSubSlotName = std::move(name);
    s.SubmodulesList = {sm};
    s.plug(std::move(sm));
    return s;
}

// One subslot per virtual submodule, numbered by its FixedInSubslots and named
// from the access point's subslot list.
void add_virtual_subslots(SubslotList& out, const TVirtualSubmoduleList* list, const TDeviceAccessPointItem& ap,
                          const TGSDML& gsdml, uint32_t* last_api) {
    if (!list) return;
    for (const TVirtualSubmoduleItem& v : list->VirtualSubmoduleItelList) {
        const int32_t num = gsdml_int_or(trim(v.FFixedInSubslots), 1);
        auto sm = std::make_shared<TPROFINET_Submodule>();
        sm->Read_SubmoduleItem(gsdml, v);
        if (last_api) *last_api = v.FAPI;
        out.push_back(fixed_subslot(num, gsdml.GetString_ExternalTextList(ap.Get_SubslotName(num)), std::move(sm)));
    }
}

SubmoduleRef find_submodule(const std::vector<SubmoduleRef>& list, const std::string& id) {
    for (const SubmoduleRef& s : list)
        if (s->FID == id) return s;
    return nullptr;
}

}  // namespace

std::vector<int32_t> parse_slot_list(std::string_view text) {
    std::vector<int32_t> out;
    std::string_view rest = trim(text);
    while (!rest.empty()) {
        const size_t blank = rest.find(' ');
        std::string_view token = rest.substr(0, blank);
        rest = blank == std::string_view::npos ? std::string_view() : trim(rest.substr(blank + 1));
        token = trim(token);
        if (token.empty()) continue;
        const size_t dots = token.find("..");
        if (dots == std::string_view::npos) {
            const int32_t n = gsdml_int_or(token, -1);
            if (n >= 0) out.push_back(n);
            continue;
        }
        const int32_t a = gsdml_int_or(trim(token.substr(0, dots)), -1);
        const int32_t b = gsdml_int_or(trim(token.substr(dots + 2)), -1);
        if (a < 0 || b < a) continue;
        // Subslot numbers go up to 0xFFFF; a hand-made 0..2000000000 must not
        // stall the program, so a range is taken up to that bound.
        const int32_t end = std::min<int32_t>(b, a + 0xFFFF);
        for (int32_t n = a; n <= end; ++n) out.push_back(n);
    }
    return out;
}

std::string format_ms(double ms) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.12g", ms);
    return buf;
}

// ---------------------------------------------------------------- parameters

std::string TParam::GetDiscreteByValue(int32_t Value) const {
    for (const TDiscreteItem& d : DiscreteList)
        if (d.FValue == Value) return d.FText;
    return {};
}

int32_t TParam::GetValueByDiscrete(const std::string& Discrete) const {
    for (const TDiscreteItem& d : DiscreteList)
        if (d.FText == Discrete) return d.FValue;
    return -1;
}

std::string TParam::value_warning() const {
    if (!DiscreteList.empty()) return {};
    return check_param_value({FDataType, FBitLength, FLength, FAllowedValues}, FValue);
}

void TParam::Clear_DiscreteList() {
    DiscreteList.clear();
    DiscreteSL.clear();
}

void TParametersGroup::Get_Parameters(const TGSDML& gsdml, const TParameterRecordDataItem& rec) {
    const TValueList* values = gsdml.ProfileBody.ApplicationProcess.ValueList.get();
    for (const TRecordDataReference& r : rec.RecordDataReferenceList) {
        TParam p;
        p.FByteOffset = static_cast<int32_t>(r.FByteOffset);
        p.FBitOffset = r.FBitOffset;
        p.FBitLength = r.FBitLength;
        p.FLength = r.FLength;
        p.FDataType = r.FDataType;
        p.FDefaultValue = r.FDefaultValue;
        p.FAllowedValues = r.FAllowedValues;
        p.FName = gsdml.GetString_ExternalTextList(r.FTextId);
        if (!r.FValueItemTarget.empty() && values) {
            for (const TValueItem& vi : values->ValueItemList) {
                if (vi.FID != r.FValueItemTarget) continue;
                for (const TAssign& a : vi.AssignmentsList) {
                    p.DiscreteList.push_back({gsdml_int_or(a.FContent, 0), gsdml.GetString_ExternalTextList(a.FTextId)});
                    p.DiscreteSL.push_back(p.DiscreteList.back().FText);
                }
                break;
            }
        }
        Parameters_List.push_back(std::move(p));
    }
}

ParamGroups Get_ParametersGroup(const TGSDML& gsdml, const TRecordDataList& list) {
    ParamGroups out;
    for (const TParameterRecordDataItem& rec : list.ParameterRecordDataItemList) {
        TParametersGroup g;
        g.FGroupName = gsdml.GetString_ExternalTextList(rec.FName);
        g.FInd = rec.FIndex_;
        g.FDataConst = rec.GetConstData();
        g.FDataByteOffset = 0;
        g.FLength = rec.FLen;
        g.Get_Parameters(gsdml, rec);
        out.push_back(std::move(g));
    }
    return out;
}

// ---------------------------------------------------------------- submodules and subslots

void TPROFINET_Submodule::Read_SubmoduleItem(const TGSDML& gsdml, const TSubmoduleItemBase& s) {
    FID = s.FID;
    if (s.ModuleInfo) {
        FName = gsdml.GetString_ExternalTextList(s.ModuleInfo->FName);
        FInfo = gsdml.GetString_ExternalTextList(s.ModuleInfo->FInfoText);
    }
    FIdentNumber = s.FSubmoduleIdentNumber;
    FAPI = s.FAPI;
    FDataLenIn = s.IOData.Get_Input();
    FDataLenOut = s.IOData.Get_Output();
    if (s.RecordDataList) ParametersList = Get_ParametersGroup(gsdml, *s.RecordDataList);
}

int TPROFINET_Subslot::GetIndexSubmodule(const std::string& NameSubmodule) const {
    for (size_t i = 0; i < SubmodulesList.size(); ++i)
        if (SubmodulesList[i]->FName == NameSubmodule) return static_cast<int>(i);
    return -1;
}

void TPROFINET_Subslot::plug(SubmoduleRef sm) {
    Selected_SubModule = std::move(sm);
    if (Selected_SubModule)
        CopySubmoduleParamGroupList(Selected_SubModule->ParametersList);
    else
        Clear_SubmoduleParamGroup_List();
}

// ---------------------------------------------------------------- modules

TPROFINET_Subslot* TPROFINET_Module::find_subslot(int32_t num) {
    for (TPROFINET_Subslot& s : SubslotsList)
        if (s.FSubslotNum == num) return &s;
    return nullptr;
}

bool TPROFINET_Module::Read_ModuleItem(const TGSDML& gsdml, const TModuleItem& m,
                                       const std::vector<SubmoduleRef>& SubmoduleList,
                                       const TDeviceAccessPointItem& ap) {
    FID = m.FID;
    FName = gsdml.GetString_ExternalTextList(m.ModuleInfo.FName);
    FInfo = gsdml.GetString_ExternalTextList(m.ModuleInfo.FInfoText);
    FModuleIdentNumber = m.FModuleIdentNumber;
    FOrderNumber = m.ModuleInfo.FOrderNumber;
    add_virtual_subslots(SubslotsList, m.VirtualSubmoduleList.get(), ap, gsdml, nullptr);
    if (!m.FPhysicalSubslots.empty()) Create_Subslots(m.FPhysicalSubslots, m.SubslotList.get(), gsdml);
    if (m.UseableSubmodules)
        for (const TSubmoduleItemRef& r : m.UseableSubmodules->SubmoduleItemRefList)
            Import_Submodule(r, SubmoduleList, m.SubslotList.get(), gsdml);
    return true;
}

void TPROFINET_Module::Create_Subslots(const std::string& PhysicalSubslots, const TSubslotList* desc,
                                       const TGSDML& gsdml) {
    for (int32_t n : parse_slot_list(PhysicalSubslots)) {
        if (find_subslot(n)) continue;
        TPROFINET_Subslot s;
        s.FSubslotNum = n;
        s.FSubSlotName = subslot_name(desc, n, gsdml);
        SubslotsList.push_back(std::move(s));
    }
}

void TPROFINET_Module::Import_Submodule(const TSubmoduleItemRef& ref, const std::vector<SubmoduleRef>& SubmoduleList,
                                        const TSubslotList* desc, const TGSDML& gsdml) {
    SubmoduleRef sm = find_submodule(SubmoduleList, ref.FSubmoduleItemTarget);
    if (!sm) return;
    if (!ref.FFixedInSubslots.empty()) {
        Import_FixedinSubslot(sm, ref.FFixedInSubslots, desc, gsdml);
    } else if (!ref.FAllowedInSubslots.empty()) {
        Import_AllowinSubslot(sm, ref.FAllowedInSubslots, desc, gsdml);
        if (!ref.FUsedInSubslots.empty()) Import_UsedinSubslot(sm, ref.FUsedInSubslots);
    }
}

void TPROFINET_Module::Import_FixedinSubslot(const SubmoduleRef& sm, const std::string& list,
                                             const TSubslotList* desc, const TGSDML& gsdml) {
    for (int32_t n : parse_slot_list(list)) {
        TPROFINET_Subslot* s = find_subslot(n);
        if (!s) {
            SubslotsList.emplace_back();
            s = &SubslotsList.back();
            s->FSubslotNum = n;
            s->FSubSlotName = subslot_name(desc, n, gsdml);
        }
        s->SubmodulesList = {sm};
        s->SubModNameList = {sm->FName};
        s->plug(sm);
    }
}

void TPROFINET_Module::Import_AllowinSubslot(const SubmoduleRef& sm, const std::string& list,
                                             const TSubslotList* desc, const TGSDML& gsdml) {
    for (int32_t n : parse_slot_list(list)) {
        if (TPROFINET_Subslot* s = find_subslot(n)) {
            s->SubmodulesList.push_back(sm);
            s->SubModNameList.push_back(sm->FName);
            continue;
        }
        TPROFINET_Subslot s;
        s.FSubslotNum = n;
        s.FSubSlotName = subslot_name(desc, n, gsdml);
        s.SubmodulesList = {sm};
        s.SubModNameList = {sm->FName};
        SubslotsList.push_back(std::move(s));
    }
}

void TPROFINET_Module::Import_UsedinSubslot(const SubmoduleRef& sm, const std::string& list) {
    for (int32_t n : parse_slot_list(list))
        if (TPROFINET_Subslot* s = find_subslot(n)) s->plug(sm);
}

// ---------------------------------------------------------------- slots

int TPROFINET_Slot::GetIndexModule(const std::string& NameModule) const {
    for (size_t i = 0; i < ModulesList.size(); ++i)
        if (ModulesList[i]->name_text() == NameModule) return static_cast<int>(i);
    return -1;
}

void TPROFINET_Slot::plug(ModuleRef m) {
    Selected_Module = std::move(m);
    if (Selected_Module)
        Copy_SubSlot_List(Selected_Module->SubslotsList);
    else
        Clear_SubSlot_List();
}

// ---------------------------------------------------------------- device

TPROFINET_Slot* TPROFINET_Device::find_slot(int32_t num) {
    for (TPROFINET_Slot& s : SlotList)
        if (s.FSlotNum == num) return &s;
    return nullptr;
}

void TPROFINET_Device::SetGSDML(std::unique_ptr<TGSDML> Value) {
    FGSDML = std::move(Value);
    if (!FGSDML || !FGSDML->ProfileBody.ApplicationProcess.DeviceAccessPointList) return;
    for (const TDeviceAccessPointItem& ap : FGSDML->ProfileBody.ApplicationProcess.DeviceAccessPointList->DevAccPointItemList)
        if (FGSDML->GetString_ExternalTextList(ap.ModuleInfo.FName) == FDeviceName)
            FNameOfStation = ap.FImplementationType;
}

const TDeviceAccessPointItem* TPROFINET_Device::access_point() const {
    if (!FGSDML) return nullptr;
    const TDeviceAccessPointList* list = FGSDML->ProfileBody.ApplicationProcess.DeviceAccessPointList.get();
    if (!list) return nullptr;
    if (!FDeviceNameID.empty()) return list->Get_DeviceAccessPointItemByID(FDeviceNameID, FDeviceCategoryRef, *FGSDML);
    return list->Get_DeviceAccessPointItem(FDeviceName, FDeviceCategoryRef, *FGSDML);
}

void TPROFINET_Device::ReadInfoFromGSDML() {
    Values_SendClock = {32};
    Values_ReductionRadio = {2};
    const TDeviceAccessPointItem* ap = access_point();
    if (!ap) return;
    TGSDML& g = *FGSDML;
    const TApplicationProcess& proc = g.ProfileBody.ApplicationProcess;

    FMinDevInterval = ap->FMinDeviceInterval;

    std::string send_clock, reduction;
    const TSystemDefinedSubmoduleList* sys = ap->SystemDefinedSubmoduleList.get();
    if (sys && sys->InterfaceSubmoduleItem.ApplicationRelationsIntSubItem &&
        sys->InterfaceSubmoduleItem.ApplicationRelationsIntSubItem->TimingProperties) {
        const TTimingProperties& t = *sys->InterfaceSubmoduleItem.ApplicationRelationsIntSubItem->TimingProperties;
        send_clock = t.FSendClock;
        reduction = t.FReductionRatio;
    }

    SubmoduleList.clear();
    if (proc.SubmoduleList) {
        for (const TSubmoduleListEntry& e : proc.SubmoduleList->SubmoduleList) {
            auto sm = std::make_shared<TPROFINET_Submodule>();
            if (const TSubmoduleItem* s = e.submodule()) {
                sm->Read_SubmoduleItem(g, *s);
            } else if (const TPortSubmoduleItem* p = e.port()) {
                // A port entry can be plugged like any submodule: a port module
                // refers to it. It carries no cyclic data.
                sm->FID = p->FID;
                sm->FName = g.GetString_ExternalTextList(p->FTextId);
                sm->FIdentNumber = p->FSubmoduleIdentNumber;
                sm->FParameterizationDisallowed = p->FParameterizationDisallowed;
                sm->ParametersList = Get_ParametersGroup(g, p->RecordDataList);
            }
            SubmoduleList.push_back(std::move(sm));
        }
    }

    ModulesList.clear();
    if (proc.ModuleList) {
        for (const TModuleItem& mi : proc.ModuleList->ModuleItemList) {
            auto m = std::make_shared<TPROFINET_Module>();
            m->Read_ModuleItem(g, mi, SubmoduleList, *ap);
            ModulesList.push_back(std::move(m));
        }
    }

    FFixedInSlots = gsdml_int_or(trim(ap->FFixedInSlots), 0);

    // The access point's own slot and the module standing for it.
    auto dap = std::make_shared<TPROFINET_Module>();
    dap->FID = ap->FID;
    dap->FName = g.GetString_ExternalTextList(ap->ModuleInfo.FName);
    dap->FInfo = g.GetString_ExternalTextList(ap->ModuleInfo.FInfoText);
    dap->FOrderNumber = ap->ModuleInfo.FOrderNumber;
    dap->FModuleIdentNumber = ap->FModuleIdentNumber;

    uint32_t api = 0;
    add_virtual_subslots(dap->SubslotsList, ap->VirtualSubmoduleList.get(), *ap, g, &api);
    if (sys) {
        const TInterfaceSubmoduleItem& i = sys->InterfaceSubmoduleItem;
        auto sm = std::make_shared<TPROFINET_Submodule>();
        sm->FID = i.FID;
        sm->FName = g.GetString_ExternalTextList(i.FTextId);
        sm->FIdentNumber = i.FSubmoduleIdentNumber;
        sm->FAPI = api;
        sm->FParameterizationDisallowed = i.FParameterizationDisallowed;
        if (i.RecordDataList) sm->ParametersList = Get_ParametersGroup(g, *i.RecordDataList);
        dap->SubslotsList.push_back(fixed_subslot(
            i.FSubslotNumber, g.GetString_ExternalTextList(ap->Get_SubslotName(i.FSubslotNumber)), std::move(sm)));
        for (const TPortSubmoduleItem& p : sys->PortSubmoduleItemList) {
            auto ps = std::make_shared<TPROFINET_Submodule>();
            ps->FID = p.FID;
            ps->FName = g.GetString_ExternalTextList(p.FTextId);
            ps->FIdentNumber = p.FSubmoduleIdentNumber;
            ps->FAPI = api;
            ps->FParameterizationDisallowed = p.FParameterizationDisallowed;
            ps->ParametersList = Get_ParametersGroup(g, p.RecordDataList);
            dap->SubslotsList.push_back(fixed_subslot(
                p.FSubslotNumber, g.GetString_ExternalTextList(ap->Get_SubslotName(p.FSubslotNumber)), std::move(ps)));
        }
    }
    dap->Create_Subslots(ap->FPhysicalSubslots, ap->SubslotList.get(), g);
    if (ap->UseableSubmodules)
        for (const TSubmoduleItemRef& r : ap->UseableSubmodules->SubmoduleItemRefList)
            dap->Import_Submodule(r, SubmoduleList, ap->SubslotList.get(), g);

    SlotList.clear();
    TPROFINET_Slot first;
    first.FFixed = true;
    first.FSlotNum = FFixedInSlots;
    first.ModulesList = {dap};
    first.plug(dap);
    SlotList.push_back(std::move(first));

    Create_Slots(ap->FPhysicalSlots);
    if (ap->UseableModules)
        for (const TModulesItemRef& r : ap->UseableModules->ModuleItemRefList) Import_Module(r);

    // A list that yields no number keeps the defaults, so the device always
    // offers an update time.
    if (!send_clock.empty() && g.GetValuesFromValueList(send_clock) && !g.ArrValueList.empty())
        Values_SendClock = g.ArrValueList;
    if (!reduction.empty() && g.GetValuesFromValueList(reduction) && !g.ArrValueList.empty())
        Values_ReductionRadio = g.ArrValueList;

    UpdateTimeVal.clear();
    for (int32_t s : Values_SendClock)
        for (int32_t r : Values_ReductionRadio) UpdateTimeVal.push_back(format_ms(update_time_ms(s, r)));
}

void TPROFINET_Device::Create_Slots(const std::string& PhysicalSlots) {
    for (int32_t n : parse_slot_list(PhysicalSlots)) {
        if (find_slot(n)) continue;
        TPROFINET_Slot s;
        s.FSlotNum = n;
        SlotList.push_back(std::move(s));
    }
}

void TPROFINET_Device::Import_Module(const TModulesItemRef& ref) {
    ModuleRef m;
    for (const auto& c : ModulesList)
        if (c->FID == ref.FModuleItemTarget) {
            m = c;
            break;
        }
    if (!m) return;
    if (!ref.FFixedInSlots.empty()) {
        Import_Module_FixedinSlot(m, ref.FFixedInSlots);
    } else if (!ref.FAllowedInSlots.empty()) {
        Import_Module_AllowinSlot(m, ref.FAllowedInSlots);
        if (!ref.FUsedInSlots.empty()) Import_Module_UsedinSlot(m, ref.FUsedInSlots);
    }
}

void TPROFINET_Device::Import_Module_FixedinSlot(const ModuleRef& m, const std::string& list) {
    for (int32_t n : parse_slot_list(list)) {
        if (TPROFINET_Slot* s = find_slot(n)) {
            s->ModulesList = {m};
            s->plug(m);
            continue;
        }
        TPROFINET_Slot s;
        s.FSlotNum = n;
        s.ModulesList = {m};
        s.ModNameList = {m->name_text()};
        s.plug(m);
        SlotList.push_back(std::move(s));
    }
}

void TPROFINET_Device::Import_Module_AllowinSlot(const ModuleRef& m, const std::string& list) {
    for (int32_t n : parse_slot_list(list)) {
        if (TPROFINET_Slot* s = find_slot(n)) {
            s->ModulesList.push_back(m);
            s->ModNameList.push_back(m->name_text());
            continue;
        }
        TPROFINET_Slot s;
        s.FSlotNum = n;
        s.ModulesList = {m};
        s.ModNameList = {m->name_text()};
        SlotList.push_back(std::move(s));
    }
}

void TPROFINET_Device::Import_Module_UsedinSlot(const ModuleRef& m, const std::string& list) {
    for (int32_t n : parse_slot_list(list))
        if (TPROFINET_Slot* s = find_slot(n)) s->plug(m);
}

bool TPROFINET_Device::CheckUpdateTime(int Index) {
    const size_t R = Values_ReductionRadio.size();
    if (R == 0 || Index < 0 || static_cast<size_t>(Index) / R >= Values_SendClock.size()) return false;
    const int32_t s = Values_SendClock[Index / R];
    const int32_t r = Values_ReductionRadio[Index % R];
    if (static_cast<int64_t>(s) * r < FMinDevInterval) return false;
    FSendClock = s;
    FReductionRadio = r;
    return true;
}

bool TPROFINET_Device::CheckAnswerTime(int Index, double& AnsTime) const {
    const size_t R = Values_ReductionRadio.size();
    const int u = FUpdateTime;
    double update;
    if (R != 0 && u >= 0 && static_cast<size_t>(u) / R < Values_SendClock.size())
        update = update_time_ms(Values_SendClock[u / R], Values_ReductionRadio[u % R]);
    else  // an index that a hand-edited file put out of range: the stored timing
        update = update_time_ms(FSendClock, FReductionRadio);
    AnsTime = update * (static_cast<double>(Index) + 3);
    return AnsTime <= kMaxAnswerTimeMs;
}

}  // namespace zv
