#pragma once
// The read-only model of one device description (GSDML) file: one class per
// element the program reads. Each Read_ operation takes the element and copies
// what it keeps into its fields; nothing here refers to the parsed document
// afterwards. Fields are F + attribute name; children made by the constructor
// are members, children made only when present are unique_ptr (null when the
// element is absent); repeated items are vectors in document order.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <pugixml.hpp>

namespace zv {

class TGSDML;
using GsdNode = pugi::xml_node;

// Two kinds of item kept in one list, in document order.
template <class A, class B>
using EitherList = std::vector<std::variant<std::unique_ptr<A>, std::unique_ptr<B>>>;

// ---------------------------------------------------------------- document and identity

struct TISO15745Reference {
    std::string FISO15745Part, FISO15745Edition, FISO15745Technology;
    bool Read_ISO15745Reference(GsdNode n);
};

struct TProfileHeader {
    std::string FProfileIdentification, FProfileRevision, FProfileName, FProfileSource, FProfileClassID,
        FProfileDate;
    TISO15745Reference ISO15745Reference;
    std::vector<std::string> IASInterfaceType;
    bool Read_ProfileHeader(GsdNode n);
};

struct TDeviceIdentity {
    uint16_t FVendorID = 0;
    uint16_t FDeviceID = 1;
    std::string FInfoText;    // TextId
    std::string FVendorName;  // the text itself (its Value)
    bool Read_DeviceIdentity(GsdNode n);
};

struct TFamily {
    std::string FMainFamily, FProductFamily;
    bool Read_Family(GsdNode n);
};

struct TDeviceFunction {
    TFamily Family;
    bool Read_DeviceFunction(GsdNode n);
};

// ---------------------------------------------------------------- small leaf elements

struct TCertificationInfo {
    std::string FConformanceClass, FApplicationClass, FNetloadClass;
    bool Read_CertificationInfo(GsdNode n);
};

struct TIOConfigData {
    uint16_t FMaxInputLength = 0, FMaxOutputLength = 0, FMaxDataLength = 0;
    bool FApplicationLengthIncludesIOxS = false;
    uint16_t FMaxApplicationInputLength = 0, FMaxApplicationOutputLength = 0, FMaxApplicationDataLength = 0;
    bool Read_IOConfigData(GsdNode n);
};

struct TModulesItemRef {
    std::string FModuleItemTarget, FAllowedInSlots, FUsedInSlots, FFixedInSlots;
    bool Read_ModuleItemRef(GsdNode n);
};

struct TUseableModules {
    std::vector<TModulesItemRef> ModuleItemRefList;
    bool Read_UseableModules(GsdNode n);
};

struct TSubslotItem {
    uint16_t FSubslotNumber = 0;
    std::string FTextId;
    bool Read_SubslotItem(GsdNode n);
};

struct TSubslotList {
    std::vector<TSubslotItem> SubslotItemList;
    bool Read_SubslotList(GsdNode n);
};

struct TSlotItem {
    uint16_t FSlotNumber = 0;
    std::string FTextId;
    bool Read_SlotItem(GsdNode n);
};

struct TSlotList {
    std::vector<TSlotItem> SlotItemList;
    bool Read_SlotList(GsdNode n);
};

struct TSlotGroup {
    std::string FSlotList, FName, FInfoText;
    bool Read_SlotGroup(GsdNode n);
};

struct TSlotGroups {
    std::vector<TSlotGroup> SlotGroupList;
    bool Read_SlotGroups(GsdNode n);
};

struct TFieldbusIntegrationSlots {
    uint16_t FMaxSupported = 1;
    std::string FRange;
    bool Read_FieldbusIntegrationSlots(GsdNode n);
};

struct TRequest {
    uint32_t FAPI = 0;
    uint16_t FAPStructureIdentifier = 0;
    bool Read_Request(GsdNode n);
};

struct TARVendorBlock {
    std::vector<TRequest> RequestList;
    bool Read_ARVendorBlock(GsdNode n);
};

struct TSystemRedundancy {
    std::string FDeviceType;
    uint16_t FMaxSwitchOverTime = 1;
    bool FPrimaryAR_OnBothNAPsSupported = false, FRT_InputOnBackupAR_Supported = false;
    uint8_t FNumberOfAR_Sets = 1;
    uint16_t FMinRDHT = 1;
    bool FDataInvalidOnBackupAR_Supported = false;
    uint16_t FS2MaxInputOnBackupDelay = 1, FR2MaxInputOnBackupDelay = 1;
    bool Read_SystemRedundancy(GsdNode n);
};

struct TTimingPropertiesAppRel {
    std::string FSendClock = "32";
    std::string FReductionRatio = "1 2 4 8 16 32 64 128 256 512";
    bool Read_TimingProperties(GsdNode n);
};

struct TApplicationRelations {
    uint16_t FAR_BlockVersion = 0, FIOCR_BlockVersion = 0, FAlarmCR_BlockVersion = 0,
             FSubmoduleDataBlockVersion = 0;
    std::unique_ptr<TTimingPropertiesAppRel> TimingProperties;
    bool Read_ApplicationRelations(GsdNode n);
};

struct TGraphicItemRef {
    std::string FTypeGraph, FGraphicItemTarget;
    bool Read_GraphicItemRef(GsdNode n);
};

struct TGraphics {
    std::vector<TGraphicItemRef> GraphicItemRefList;
    bool Read_Graphics(GsdNode n);
};

struct TModuleInfo {
    std::string FCategoryRef, FSubCategory1Ref;
    std::string FName, FInfoText;  // TextIds
    std::string FVendorName, FOrderNumber, FHardwareRelease, FSoftwareRelease;
    std::unique_ptr<TFamily> Family;
    bool Read_ModuleInfo(GsdNode n);
};

// ---------------------------------------------------------------- cyclic data

struct TBitDataItem {
    uint8_t FBitOffset = 0;
    std::string FTextId;
    bool Read_BitDataItem(GsdNode n);
};

struct TDataItem {
    std::string FDataType;
    uint16_t FLength = 0;
    bool FUseAsBits = false, FSubordinate = false;
    std::string FTextId;
    std::vector<TBitDataItem> BitDataItemList;
    bool Read_DataItem(GsdNode n);
    // Bytes of one item: Length when given, else the size of its data type.
    int GetLenData() const;
};

struct TData {
    uint16_t FBitOffset = 0, FBitLength = 0;
    bool Read_Data(GsdNode n);
};

struct TQuality {
    uint16_t FBitOffset = 0;
    std::string FFormat;
    bool FOppositeDirection = false;
    bool Read_Quality(GsdNode n);
};

struct TChannel {
    uint16_t FNumber = 0;
    TData Data;
    std::unique_ptr<TQuality> Quality;
    bool Read_Channel(GsdNode n);
};

struct TInputOutput {
    std::string FConsistency;
    std::vector<TDataItem> DataItemList;
    std::vector<TChannel> ChannelList;
    bool Read_InputOutput(GsdNode n);
};

struct TIOData {
    uint8_t FF_IO_StructureDescVersion = 0;
    uint32_t FF_IO_StructureDescCRC = 0;
    std::unique_ptr<TInputOutput> Input, Output;
    bool Read_IOData(GsdNode n);
    int Get_Input() const;
    int Get_Output() const;
};

struct TIsochroneMode {
    uint16_t FT_DC_Base = 0, FT_DC_Min = 0, FT_DC_Max = 0;
    uint32_t FT_IO_Base = 0, FT_IO_InputMin = 0, FT_IO_OutputMin = 0;
    bool FIsochroneModeRequired = false;
    bool Read_IsochroneMode(GsdNode n);
};

struct TSlotCluster {
    uint16_t FCount = 0, FFieldbusType = 0;
    bool Read_SlotCluster(GsdNode n);
};

struct TObserver {
    std::string FTypeObserver;
    bool Read_Observer(GsdNode n);
};

struct TReportingSystemEvents {
    std::vector<TObserver> ObserverList;
    bool Read_ReportingSystemEvents(GsdNode n);
};

// ---------------------------------------------------------------- parameter records

struct TRecordDataConst {
    std::string FData;
    int32_t FByteOffset = 0;
    bool Read_Const(GsdNode n);
};

struct TRecordDataReference {
    std::string FID, FTextId, FValueItemTarget;
    uint32_t FByteOffset = 0;
    int32_t FBitOffset = 0;
    std::string FDataType;
    uint16_t FLength = 0;
    int32_t FBitLength = 0;
    std::string FDefaultValue, FAllowedValues;  // kept as written
    bool FChangeable = true, FVisible = true;
    bool Read_RecordDataReference(GsdNode n);
};

struct TParameterRecordDataItem {
    uint16_t FIndex_ = 0, FTransferSequence = 0;
    bool FChangeableWithBump = false;
    int32_t FLen = 0;
    std::string FName;  // TextId
    std::vector<TRecordDataConst> RecordDataConstList;
    std::vector<TRecordDataReference> RecordDataReferenceList;
    bool Read_ParameterRecordDataItem(GsdNode n);
    // The record's initial bytes as "0x00,0x1F,..."; empty for a length of 0.
    std::string GetConstData() const;
};

// One safety parameter: its default value of type V, allowed values and flags.
template <class V>
struct TF_Param {
    V FDefaultValue{};
    std::string FAllowedValues;
    bool FChangeable, FVisible;
    TF_Param(bool changeable, bool visible) : FChangeable(changeable), FVisible(visible) {}
    bool Read_F_Param(GsdNode n);
};

struct TF_Check_iPar : TF_Param<std::string> { TF_Check_iPar() : TF_Param(false, false) {} };
struct TF_SIL : TF_Param<std::string> { TF_SIL() : TF_Param(true, true) {} };
struct TF_CRC_Length : TF_Param<std::string> { TF_CRC_Length() : TF_Param(false, false) {} };
struct TF_CRC_Seed : TF_Param<std::string> { TF_CRC_Seed() : TF_Param(false, true) {} };
struct TF_Passivation : TF_Param<std::string> { TF_Passivation() : TF_Param(false, true) {} };
struct TF_Block_ID : TF_Param<int32_t> { TF_Block_ID() : TF_Param(false, true) {} };
struct TF_Par_Version : TF_Param<int32_t> { TF_Par_Version() : TF_Param(false, true) {} };
struct TF_Source_Add : TF_Param<uint16_t> { TF_Source_Add() : TF_Param(true, true) {} };
struct TF_Dest_Add : TF_Param<uint16_t> { TF_Dest_Add() : TF_Param(true, true) {} };
struct TF_WD_Time : TF_Param<uint16_t> { TF_WD_Time() : TF_Param(true, true) {} };
struct TF_Par_CRC : TF_Param<uint16_t> { TF_Par_CRC() : TF_Param(true, true) {} };
struct TF_iPar_CRC : TF_Param<uint32_t> { TF_iPar_CRC() : TF_Param(true, true) {} };

struct TF_ParameterRecordDataItem {
    uint16_t FF_ParamDescCRC = 0;
    std::string FF_SupportedParameters;
    uint16_t FIndex = 0, FTransferSequence = 0;
    bool FChangeableWithBump = false;
    TF_Check_iPar F_Check_iPar;
    TF_SIL F_SIL;
    TF_CRC_Length F_CRC_Length;
    std::unique_ptr<TF_CRC_Seed> F_CRC_Seed;
    std::unique_ptr<TF_Passivation> F_Passivation;
    TF_Block_ID F_Block_ID;
    TF_Par_Version F_Par_Version;
    TF_Source_Add F_Source_Add;
    TF_Dest_Add F_Dest_Add;
    TF_WD_Time F_WD_Time;
    TF_Par_CRC F_Par_CRC;
    std::unique_ptr<TF_iPar_CRC> F_iPar_CRC;
    bool Read_F_ParameterRecordDataItem(GsdNode n);
};

struct TRecordDataList {
    std::unique_ptr<TF_ParameterRecordDataItem> F_ParameterRecordDataItem;
    std::vector<TParameterRecordDataItem> ParameterRecordDataItemList;
    bool Read_RecordDataList(GsdNode n);
};

struct TAssign {
    std::string FTextId;
    std::string FContent;  // the value as written
    bool Read_Assign(GsdNode n);
};

struct TValueItem {
    std::string FID;
    std::string FHelp;  // TextId
    std::vector<TAssign> AssignmentsList;
    bool Read_ValueItem(GsdNode n);
};

struct TValueList {
    std::vector<TValueItem> ValueItemList;
    bool Read_ValueList(GsdNode n);
};

// ---------------------------------------------------------------- energy profile

struct TEnergySavingModeItem {
    uint8_t FID = 0;
    uint32_t FTimeToPause = 0, FRTTO = 0, FTimeMinLengthOfStay = 0;
    float FPowerConsumption = 0, FEnergyConsumptionToDestination = 0, FEnergyConsumptionToOperation = 0;
    bool Read_EnergySavingModeItem(GsdNode n);
};

struct TEnergySavingModeList {
    std::vector<TEnergySavingModeItem> EnergySavingModeItemList;
    bool Read_EnergySavingModeList(GsdNode n);
};

struct TMeasurementValue {
    uint16_t FID = 0;
    uint8_t FAccuracyDomain = 0, FAccuracyClass = 0;
    bool Read_MeasurementValue(GsdNode n);
};

struct TMeasurementItem {
    uint16_t FNumber = 0;  // strict: a value that is not a number fails the read
    std::vector<TMeasurementValue> MeasurementValueList;
    bool Read_MeasurementItem(GsdNode n);
};

struct TMeasurementList {
    std::vector<TMeasurementItem> MeasurementItemList;
    bool Read_MeasurementList(GsdNode n);
};

struct TPROFIenergy {
    std::string FProfileVersion, FEntityClass, FEntitySubclass;
    bool FDynamicTimeAndEnergyValues = false, FPESAP_uses_PROFIenergyASE = false;
    std::unique_ptr<TEnergySavingModeList> EnergySavingModeList;
    std::unique_ptr<TMeasurementList> MeasurementList;
    bool Read_PROFIenergy(GsdNode n);
};

// ---------------------------------------------------------------- submodules

struct TSubmoduleItemBase {
    std::string FID;
    uint32_t FSubmoduleIdentNumber = 0, FAPI = 0;
    bool FPROFIsafeSupported = false;
    std::string FWriteable_IM_Records;
    bool FIM5_Supported = false;
    uint32_t FMax_iParameterSize = 0;
    uint16_t FSubsysModuleDirIndex = 0;
    std::string FSupportedSubstitutionModes;
    bool FMayIssueProcessAlarm = false;
    TIOData IOData;
    std::unique_ptr<TRecordDataList> RecordDataList;
    std::unique_ptr<TModuleInfo> ModuleInfo;
    std::unique_ptr<TGraphics> Graphics;
    std::unique_ptr<TIsochroneMode> IsochroneMode;
    std::unique_ptr<TSlotCluster> SlotCluster;
    std::unique_ptr<TPROFIenergy> PROFIenergy;
    std::unique_ptr<TReportingSystemEvents> ReportingSystemEvents;

protected:
    // The attributes shared by both kinds, then the shared children (chained).
    bool read_base_attributes(GsdNode n);
    bool read_base_children(GsdNode n);
};

struct TSubmoduleItem : TSubmoduleItemBase {
    std::string FRequiredSchemaVersion;
    bool Read_SubmoduleItem(GsdNode n);
};

struct TVirtualSubmoduleItem : TSubmoduleItemBase {
    std::string FFixedInSubslots = "1";
    bool Read_VirtualSubmoduleItem(GsdNode n);
};

struct TVirtualSubmoduleList {
    std::vector<TVirtualSubmoduleItem> VirtualSubmoduleItelList;
    bool Read_VirtualSubmoduleList(GsdNode n);
};

struct TSubmoduleItemRef {
    std::string FSubmoduleItemTarget, FAllowedInSubslots, FUsedInSubslots, FFixedInSubslots;
    bool Read_SubmoduleItemRef(GsdNode n);
};

struct TUseableSubmodules {
    std::vector<TSubmoduleItemRef> SubmoduleItemRefList;
    bool Read_UseableSubmodules(GsdNode n);
};

// ---------------------------------------------------------------- interface and ports

struct TGeneral {
    std::string FDCP_FlashOnceSignalUnit;  // TextId
    bool Read_General(GsdNode n);
};

struct TTimingProperties {
    std::string FSendClock, FReductionRatio, FReductionRatioPow2;
    uint16_t FPreferredSendClock = 0;
    bool Read_TimingProperties(GsdNode n);
};

struct TRT_Class3TimingProperties {
    std::string FSendClock, FReductionRatio, FReductionRatioPow2;
    uint16_t FMaxReductionRatioIsochroneMode = 0, FPreferredSendClock = 0;
    bool Read_RT_Class3TimingProperties(GsdNode n);
};

struct TApplicationRelationsIntSubItem {
    std::string FStartupMode;
    uint16_t FNumberOfAdditionalInputCR = 0, FNumberOfAdditionalOutputCR = 0,
             FNumberOfAdditionalMulticastProviderCR = 0, FNumberOfMulticastConsumerCR = 0;
    bool FPullModuleAlarmSupported = false;
    uint16_t FNumberOfAR = 0;
    std::unique_ptr<TTimingProperties> TimingProperties;
    std::unique_ptr<TRT_Class3TimingProperties> RT_Class3TimingProperties;
    bool Read_ApplicationRelations(GsdNode n);
};

struct TRT_Class3Properties {
    std::string FStartupMode, FForwardingMode;
    uint16_t FMaxBridgeDelay = 0, FMaxBridgeDelayFFW = 0, FMaxDFP_Feed = 0, FMaxDFP_Frames = 0;
    bool FAlignDFP_Subframes = false, FDFP_OutboundTruncationSupported = false,
         FDFP_RedundantPathLayoutSupported = false;
    uint16_t FMaxNumberIR_FrameData = 0, FMaxRangeIR_FrameID = 0;
    std::string FFragmentationType;
    uint16_t FMaxRedPeriodLength = 0, FMinFSO = 0, FMinRTC3_Gap = 0;
    uint32_t FMinYellowTime = 0;
    uint16_t FYellowSafetyMargin = 0;
    uint32_t FMaxRetentionTime = 0;
    bool Read_RT_Class3Properties(GsdNode n);
};

struct TSynchronisationMode {
    std::string FSupportedRole;
    uint16_t FMaxLocalJitter = 0, FT_PLL_MAX = 0, FPeerToPeerJitter = 0;
    std::string FSupportedSyncProtocols;
    bool Read_SynchronisationMode(GsdNode n);
};

struct TInterconnection {
    std::string FSupportedMRP_InterconnRole;
    uint8_t FMaxMRP_InterconnInstances = 0;
    bool Read_Interconnection(GsdNode n);
};

struct TMediaRedundancy {
    std::string FSupportedRole, FSupportedMultipleRole;
    uint8_t FMaxMRP_Instances = 0;
    bool FMRPD_Supported = false, FMRT_Supported = false, FAdditionalProtocolsSupported = false,
         FAdditionalForwardingRulesSupported = false;
    std::unique_ptr<TInterconnection> Interconnection;
    bool Read_MediaRedundancy(GsdNode n);
};

struct TInterfaceSubmoduleItem {
    std::string FID;
    uint32_t FSubmoduleIdentNumber = 0;
    std::string FTextId;
    uint16_t FSubslotNumber = 0;
    std::string FSupportedRT_Class, FSupportedRT_Classes;
    bool FIsochroneModeSupported = false;
    std::string FIsochroneModeInRT_Classes, FSupportedProtocols;
    bool FNetworkComponentDiagnosisSupported = false, FDCP_HelloSupported = false, FPTP_BoundarySupported = false,
         FDCP_BoundarySupported = false, FMulticastBoundarySupported = false, FParameterizationDisallowed = false,
         FDelayMeasurementSupported = false;
    std::string FWriteable_IM_Records;
    bool FIM5_Supported = false;
    uint16_t FMaxFrameStartTime = 0, FMinNRT_Gap = 0;
    bool FPDEV_CombinedObjectSupported = false, FUsesStaticARP_CacheEntries = false;
    std::unique_ptr<TGeneral> General;
    std::unique_ptr<TRecordDataList> RecordDataList;
    std::unique_ptr<TRT_Class3Properties> RT_Class3Properties;
    std::unique_ptr<TSynchronisationMode> SynchronisationMode;
    std::unique_ptr<TApplicationRelationsIntSubItem> ApplicationRelationsIntSubItem;
    std::unique_ptr<TMediaRedundancy> MediaRedundancy;
    bool Read_InterfaceSubmoduleItem(GsdNode n);
};

struct TMAUTypeItem {
    uint16_t FValue = 0, FExtension = 0;
    bool FAdjustSupported = false;
    bool Read_MAUTypeItem(GsdNode n);
};

struct TMAUTypeList {
    bool FExtensionSupported = false;
    std::vector<TMAUTypeItem> MAUTypeItemList;
    bool Read_MAUTypeList(GsdNode n);
};

struct TPortSubmoduleItemBase {
    std::string FID;
    uint32_t FSubmoduleIdentNumber = 0;
    std::string FMAUType, FMAUTypes, FFiberOpticTypes;
    uint16_t FMaxPortTxDelay = 0, FMaxPortRxDelay = 0;  // strict
    bool FPortDeactivationSupported = false;
    std::string FLinkStateDiagnosisCapability;
    bool FPowerBudgetControlSupported = false, FSupportsRingportConfig = false, FIsDefaultRingport = false,
         FSupportsMRP_InterconnPortConfig = false, FParameterizationDisallowed = false;
    std::string FWriteable_IM_Records;
    bool FIM5_Supported = false, FCheckMAUTypeSupported = false, FCheckMAUTypeDifferenceSupported = false,
         FShortPreamble100MBitSupported = false;
    TMAUTypeList MAUTypeList;
    TRecordDataList RecordDataList;

protected:
    bool read_base_attributes(GsdNode n);
    void read_base_children(GsdNode n);
};

struct TPortSubmoduleItem : TPortSubmoduleItemBase {
    uint16_t FSubslotNumber = 0;
    std::string FTextId;
    bool Read_PortSubmoduleItem(GsdNode n);
};

struct TSystemDefinedSubmoduleList {
    TInterfaceSubmoduleItem InterfaceSubmoduleItem;
    std::vector<TPortSubmoduleItem> PortSubmoduleItemList;
    bool Read_SystemDefinedSubmoduleList(GsdNode n);
};

// One entry of the document's SubmoduleList: an ordinary or a port submodule.
struct TSubmoduleListEntry {
    std::variant<TSubmoduleItem, TPortSubmoduleItem> item;

    bool is_port() const { return item.index() == 1; }
    const TSubmoduleItem* submodule() const { return std::get_if<TSubmoduleItem>(&item); }
    const TPortSubmoduleItem* port() const { return std::get_if<TPortSubmoduleItem>(&item); }
    const std::string& FID() const;
    uint32_t FSubmoduleIdentNumber() const;
    const TRecordDataList* RecordDataList() const;  // null when the entry has none
};

struct TSubmoduleList {
    std::vector<TSubmoduleListEntry> SubmoduleList;
    bool Read_SubmoduleList(GsdNode n);
    const TSubmoduleListEntry* Get_SubmoduleItem(const std::string& Submodule_ID) const;
};

// ---------------------------------------------------------------- access points and modules

struct TDeviceAccessPointItem {
    std::string FID;
    uint32_t FModuleIdentNumber = 0;
    std::string FPNIO_Version, FPhysicalSlots;
    uint16_t FMinDeviceInterval = 0;
    std::string FImplementationType, FDNS_CompatibleName, FAddressAssignment, FAllowedInSlots;
    std::string FFixedInSlots = "0";
    uint16_t FObjectUUID_LocalIndex = 0;
    std::string FRequiredSchemaVersion;
    bool FMultipleWriteSupported = false, FIOXS_Required = false;
    std::string FPhysicalSubslots;
    uint16_t FRemoteApplicationTimeout = 0;
    uint32_t FMaxSupportedRecordSize = 0, FPowerOnToCommReady = 0;
    bool FParameterizationSpeedupSupported = false, FNameOfStationNotTransferable = false,
         FSharedDeviceSupported = false, FSharedInputSupported = false, FDeviceAccessSupported = false;
    uint8_t FNumberOfDeviceAccessAR = 0, FNumberOfImplicitAR = 0;
    std::string FWebServer;
    bool FAutoConfigurationSupported = false, FCIR_Supported = false, FPrmBeginPrmEndSequenceSupported = false,
         FLLDP_NoD_Supported = false;
    std::string FResetToFactoryModes;
    bool FIO_SupervisorSupported = false, FCheckDeviceID_Allowed = false, FPROFIenergyASE_Supported = false,
         FAdaptsRealIdentification = false;
    uint32_t FNumberOfSubmodules = 0;

    TModuleInfo ModuleInfo;
    std::unique_ptr<TCertificationInfo> CertificationInfo;
    std::unique_ptr<TSubslotList> SubslotList;
    TIOConfigData IOConfigData;
    std::unique_ptr<TUseableModules> UseableModules;
    std::unique_ptr<TARVendorBlock> ARVendorBlock;
    std::unique_ptr<TVirtualSubmoduleList> VirtualSubmoduleList;
    std::unique_ptr<TSystemDefinedSubmoduleList> SystemDefinedSubmoduleList;
    std::unique_ptr<TGraphics> Graphics;
    bool FAssetManagement = false;  // only whether the element is there
    std::unique_ptr<TApplicationRelations> ApplicationRelations;
    std::unique_ptr<TSystemRedundancy> SystemRedundancy;
    std::unique_ptr<TUseableSubmodules> UseableSubmodules;
    std::unique_ptr<TSlotList> SlotList;
    std::unique_ptr<TSlotGroups> SlotGroups;
    std::unique_ptr<TFieldbusIntegrationSlots> FieldbusIntegrationSlots;

    bool Read_DeviceAccessPointItem(GsdNode n);
    // TextId of the subslot's name; empty when the access point does not name it.
    std::string Get_SubslotName(int SubSlotNum) const;
};

struct TDeviceAccessPointList {
    std::vector<TDeviceAccessPointItem> DevAccPointItemList;
    bool Read_DeviceAccessPointList(GsdNode n);
    // By the name text (resolved) and, when given, the category text.
    const TDeviceAccessPointItem* Get_DeviceAccessPointItem(const std::string& Name_Device,
                                                            const std::string& DeviceCategoryRef,
                                                            const TGSDML& gsdml) const;
    // By the name TextId itself; the category test is the same.
    const TDeviceAccessPointItem* Get_DeviceAccessPointItemByID(const std::string& Name_Device,
                                                                const std::string& DeviceCategoryRef,
                                                                const TGSDML& gsdml) const;
};

struct TModuleItem {
    std::string FID;
    uint32_t FModuleIdentNumber = 1;
    std::string FRequiredSchemaVersion, FPhysicalSubslots;
    uint16_t FFieldbusType = 0;
    TModuleInfo ModuleInfo;
    std::unique_ptr<TSubslotList> SubslotList;
    std::unique_ptr<TVirtualSubmoduleList> VirtualSubmoduleList;
    std::unique_ptr<TSystemDefinedSubmoduleList> SystemDefinedSubmoduleList;
    std::unique_ptr<TUseableSubmodules> UseableSubmodules;
    std::unique_ptr<TGraphics> Graphics;
    bool Read_ModuleItem(GsdNode n);
};

struct TModuleList {
    std::vector<TModuleItem> ModuleItemList;
    bool Read_ModuleList(GsdNode n);
    const TModuleItem* Get_ModuleItem(const std::string& Module_ID) const;
};

// ---------------------------------------------------------------- diagnosis, alarms, logbook

struct TExtChannelAddValue {
    uint8_t FId = 0;
    std::string FDataType;
    bool Read_DataItem(GsdNode n);
};

struct TExtChannelDiagItem {
    uint16_t FErrorType = 0;
    std::string FMaintenanceAlarmState;
    std::string FName, FHelp;  // TextIds
    std::vector<TExtChannelAddValue> ExtChannelAddValueList;
    bool Read_ExtChannelDiagItem(GsdNode n);
};

struct TChannelDiagItem {
    uint16_t FErrorType = 0;
    std::string FMaintenanceAlarmState;
    std::string FName, FHelp;  // TextIds
    std::vector<TExtChannelDiagItem> ExtChannelDiagList;
    bool Read_ChannelDiagItem(GsdNode n);
};

struct TProfileChannelDiagItem : TChannelDiagItem {
    uint32_t FAPI = 0;
    bool Read_ProfileChannelDiagItem(GsdNode n);
};

struct TProfileExtChannelDiagItem;
struct TSystemDefinedChannelDiagItem {
    uint16_t FErrorType = 0;
    EitherList<TExtChannelDiagItem, TProfileExtChannelDiagItem> ExtChannelDiagList;
    TSystemDefinedChannelDiagItem();
    TSystemDefinedChannelDiagItem(TSystemDefinedChannelDiagItem&&) noexcept;
    TSystemDefinedChannelDiagItem& operator=(TSystemDefinedChannelDiagItem&&) noexcept;
    virtual ~TSystemDefinedChannelDiagItem();
    bool Read_SystemDefinedChannelDiagItem(GsdNode n);
};

struct TProfileExtChannelDiagItem : TSystemDefinedChannelDiagItem {
    uint32_t FAPI = 0;
    bool Read_ProfileExtChannelDiagItem(GsdNode n);
};

struct TChannelDiagList {
    std::vector<TChannelDiagItem> ChannelDiagItemList;
    std::vector<TSystemDefinedChannelDiagItem> SystemDefinedChannelDiagItemList;
    std::vector<TProfileChannelDiagItem> ProfileChannelDiagItemList;
    bool Read_ChannelDiagList(GsdNode n);
};

struct TProcessAlarmReasonAddValue {
    uint8_t FId = 0;
    std::string FDataType;
    bool Read_DataItem(GsdNode n);
};

struct TExtChannelProcessAlarmItem {
    uint16_t FReason = 0;
    std::string FName, FHelp;  // TextIds
    std::vector<TProcessAlarmReasonAddValue> ProcessAlarmReasonAddValueList;
    bool Read_ExtChannelProcessAlarmItem(GsdNode n);
};

struct TChannelProcessAlarmItem {
    uint16_t FReason = 0;
    std::string FName, FHelp;  // TextIds
    std::vector<TExtChannelProcessAlarmItem> ExtChannelProcessAlarmList;
    bool Read_ChannelProcessAlarmItem(GsdNode n);
};

struct TSystemDefinedChannelProcessAlarmItem {
    uint16_t FReason = 0;
    std::vector<TExtChannelProcessAlarmItem> ExtChannelProcessAlarmList;
    bool Read_SystemDefinedChannelProcessAlarmItem(GsdNode n);
};

struct TProfileExtChannelProcessAlarmItem : TSystemDefinedChannelProcessAlarmItem {
    uint32_t FAPI = 0;
    bool Read_ProfileExtChannelProcessAlarmItem(GsdNode n);
};

struct TProfileChannelProcessAlarmItem {
    uint32_t FAPI = 0;
    uint16_t FReason = 0;
    std::string FName, FHelp;  // TextIds
    EitherList<TExtChannelProcessAlarmItem, TProfileExtChannelProcessAlarmItem> ExtChannelProcessAlarmList;
    bool Read_ProfileChannelProcessAlarmItem(GsdNode n);
};

struct TChannelProcessAlarmList {
    std::vector<TChannelProcessAlarmItem> ChannelProcessAlarmItem;
    std::vector<TSystemDefinedChannelProcessAlarmItem> SystemDefinedChannelProcessAlarmItem;
    std::vector<TProfileChannelProcessAlarmItem> ProfileChannelProcessAlarmItem;
    bool Read_ChannelProcessAlarmList(GsdNode n);
};

struct TValueItemReference {
    std::string FValueItemTarget;
    uint32_t FByteOffset = 0, FBitOffset = 0, FBitLength = 0;
    std::string FTextId;
    uint16_t FLength = 0;
    std::string FDataType, FDefaultValue;
    bool Read_Ref(GsdNode n);
};

struct TUnitDiagTypeItem {
    uint16_t FUserStructureIdentifier = 0;
    std::string FName, FHelp;  // TextIds
    std::vector<TValueItemReference> ValueItemReferenceList;
    bool Read_UnitDiagTypeItem(GsdNode n);
};

struct TProfileUnitDiagTypeItem : TUnitDiagTypeItem {
    uint32_t FAPI = 0;
    bool Read_ProfileUnitDiagTypeItem(GsdNode n);
};

struct TUnitDiagTypeList {
    EitherList<TUnitDiagTypeItem, TProfileUnitDiagTypeItem> UnitDiagTypeList;
    bool Read_UnitDiagTypeList(GsdNode n);
};

struct TErrorCode2Value {
    std::string FName, FHelp;  // TextIds
    bool Read_ErrorCode2Value(GsdNode n);
};

struct TErrorCode2Item {
    uint8_t FErrorCode2 = 0;
    std::string FName, FHelp;  // TextIds
    bool Read_ErrorCode2Item(GsdNode n);
};

struct TLogBookEntryItem {
    uint32_t FStatus = 0;
    std::unique_ptr<TErrorCode2Value> ErrorCode2Value;
    std::vector<TErrorCode2Item> ErrorCode2List;
    bool Read_LogBookEntryItem(GsdNode n);
};

struct TLogBookEntryList {
    std::vector<TLogBookEntryItem> LogBookEntryList;
    bool Read_LogBookEntryList(GsdNode n);
};

// ---------------------------------------------------------------- graphics, categories, texts

struct TGraphicItem {
    std::string FID, FGraphicFile;
    bool Read_GraphicItem(GsdNode n);
};

struct TGraphicsList {
    std::vector<TGraphicItem> GraphicsList;
    bool Read_GraphicsList(GsdNode n);
};

struct TCategoryItem {
    std::string FID, FTextId, FInfoText;
    bool Read_CategoryItem(GsdNode n);
};

struct TCategoryList {
    std::vector<TCategoryItem> CategoryList;
    bool Read_CategoryList(GsdNode n);
};

// A large file holds hundreds of thousands of texts, most of them in languages
// that are never shown; a string of its own for each made up much of the load's
// time and memory. Each language section keeps its texts in a few large blocks.
class TextArena {
public:
    std::string_view keep(std::string_view text);

private:
    std::vector<std::unique_ptr<char[]>> blocks_;  // the texts never move
    char* free_ = nullptr;
    size_t left_ = 0;
    size_t last_ = 0;  // size of the last shared block
};

struct TTextItem {
    std::string_view FTextId, FValue;  // in the arena of their section
    bool Read_TextItem(GsdNode n, TextArena& texts);
};

struct TPrimaryLanguage {
    std::vector<TTextItem> TextList;
    TextArena Texts;
    bool Read_PrimaryLanguage(GsdNode n);
};

struct TLanguage {
    std::string FLang;  // xml:lang
    std::vector<TTextItem> TextList;
    TextArena Texts;
    bool Read_Language(GsdNode n);
};

struct TExternalTextList {
    TPrimaryLanguage PrimaryLanguage;
    std::vector<TLanguage> LanguageList;
    bool Read_ExternalTextList(GsdNode n);
};

// ---------------------------------------------------------------- application process and body

struct TApplicationProcess {
    std::unique_ptr<TDeviceAccessPointList> DeviceAccessPointList;  // required
    std::unique_ptr<TModuleList> ModuleList;
    std::unique_ptr<TSubmoduleList> SubmoduleList;
    std::unique_ptr<TValueList> ValueList;
    std::unique_ptr<TChannelDiagList> ChannelDiagList;
    std::unique_ptr<TChannelProcessAlarmList> ChannelProcessAlarmList;
    std::unique_ptr<TUnitDiagTypeList> UnitDiagTypeList;
    std::unique_ptr<TLogBookEntryList> LogBookEntryList;
    std::unique_ptr<TGraphicsList> GraphicsList;
    std::unique_ptr<TCategoryList> CategoryList;
    std::unique_ptr<TExternalTextList> ExternalTextList;  // required
    bool Read_ApplicationProcess(GsdNode n);
};

struct TProfileBody {
    TDeviceIdentity DeviceIdentity;
    TDeviceFunction DeviceFunction;
    TApplicationProcess ApplicationProcess;
    bool Read_ProfileBody(GsdNode n);
};

}  // namespace zv
