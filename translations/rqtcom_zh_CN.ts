<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>ConversationEngine</name>
    <message>
        <source>The download has no file to write.</source>
        <translation>下载没有可写入的文件。</translation>
    </message>
    <message>
        <source>Cancelled by the user.</source>
        <translation>已被用户取消。</translation>
    </message>
    <message>
        <source>The instrument is not ready for a download.</source>
        <translation>仪器尚未准备好下载。</translation>
    </message>
    <message>
        <source>No job is selected.</source>
        <translation>未选择作业。</translation>
    </message>
    <message>
        <source>Choose a data type.</source>
        <translation>请选择数据格式。</translation>
    </message>
    <message>
        <source>Enter a file name.</source>
        <translation>请输入文件名。</translation>
    </message>
    <message>
        <source>The instrument is not ready for an upload.</source>
        <translation>仪器尚未准备好上传。</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>Connect to the instrument first.</source>
        <translation>请先连接仪器。</translation>
    </message>
    <message>
        <source>The transfer was interrupted by an erase.</source>
        <translation>传输被删除操作中断。</translation>
    </message>
    <message>
        <source>The job name is empty.</source>
        <translation>作业名为空。</translation>
    </message>
    <message>
        <source>A job name cannot contain &quot;/&quot; or &quot;,&quot;.</source>
        <translation>作业名不能包含“/”或“,”。</translation>
    </message>
    <message>
        <source>A job name cannot contain control characters.</source>
        <translation>作业名不能包含控制字符。</translation>
    </message>
    <message>
        <source>The job name holds characters the instrument cannot store.</source>
        <translation>作业名中含有仪器无法保存的字符。</translation>
    </message>
    <message>
        <source>The instrument sent %1 of %2 lines.</source>
        <translation>仪器只发送了 %2 行中的 %1 行。</translation>
    </message>
    <message>
        <source>The file could not be opened.</source>
        <translation>无法打开文件。</translation>
    </message>
</context>
<context>
    <name>CoordFileIo</name>
    <message>
        <source>Reading stopped after %1 points: %2</source>
        <translation>读取 %1 个点后停止：%2</translation>
    </message>
    <message>
        <source>No coordinate format has the extension &quot;%1&quot;</source>
        <translation>没有扩展名为“%1”的坐标格式</translation>
    </message>
    <message>
        <source>A &quot;.gsi&quot; file is written as GSI-16 or GSI-8 only</source>
        <translation>“.gsi”文件只能写为 GSI-16 或 GSI-8</translation>
    </message>
    <message>
        <source>No coordinate format chosen</source>
        <translation>未选择坐标格式</translation>
    </message>
    <message>
        <source>No line of the file is a point (words 81 and 82)</source>
        <translation>文件中没有一行是点（字 81 和 82）</translation>
    </message>
</context>
<context>
    <name>DownloadWriter</name>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>文件夹 %1 不存在。</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>无法创建 %1：%2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>无法保存 %1：%2</translation>
    </message>
</context>
<context>
    <name>EditorWindow</name>
    <message>
        <source>Plan view</source>
        <translation>平面图</translation>
    </message>
    <message>
        <source>Elevations on the plan</source>
        <translation>平面图显示高程</translation>
    </message>
    <message>
        <source>GeoJSON and KML hold longitude and latitude. Coordinate system of these points (EPSG code, e.g. EPSG:4548):</source>
        <translation>GeoJSON 和 KML 保存经纬度。请输入这些点所在的坐标系（EPSG 代码，例如 EPSG:4548）：</translation>
    </message>
    <message>
        <source>%1 is no coordinate file: %2. The grid is unchanged.</source>
        <translation>%1 不是坐标文件：%2。表格未改变。</translation>
    </message>
    <message>
        <source>%1 points read; %2.</source>
        <translation>已读取 %1 个点；%2。</translation>
    </message>
    <message>
        <source>The coordinates are in feet; they are shown as they are, not converted.</source>
        <translation>坐标单位为英尺；按原值显示，未换算。</translation>
    </message>
</context>
<context>
    <name>FileCommit</name>
    <message>
        <source>the file was not open for writing</source>
        <translation>文件未以写入方式打开</translation>
    </message>
    <message>
        <source>the data could not be written</source>
        <translation>数据无法写入</translation>
    </message>
</context>
<context>
    <name>FilePreview</name>
    <message>
        <source>Select a coordinate file to see its points.</source>
        <translation>选择一个坐标文件以查看其中的点。</translation>
    </message>
    <message>
        <source>Reading %1 ...</source>
        <translation>正在读取 %1 ……</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%2)
%n points</source>
        <translation>
            <numerusform>%1（%2）
共 %n 个点</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without coordinates</source>
        <translation>
            <numerusform>%n 个点无坐标</numerusform>
        </translation>
    </message>
    <message>
        <source>East %1 to %2
North %3 to %4</source>
        <translation>东 %1 至 %2
北 %3 至 %4</translation>
    </message>
</context>
<context>
    <name>GsiLossCheck</name>
    <message>
        <source>easting</source>
        <translation>东坐标</translation>
    </message>
    <message>
        <source>northing</source>
        <translation>北坐标</translation>
    </message>
    <message>
        <source>elevation</source>
        <translation>高程</translation>
    </message>
    <message>
        <source>%1 %2 does not fit %3 and would be written as 0</source>
        <translation>%1 %2 超出 %3 的范围，将写为 0</translation>
    </message>
    <message>
        <source>name &quot;%1&quot; is longer than %2 characters and would be cut</source>
        <translation>点名“%1”超过 %2 个字符，将被截断</translation>
    </message>
    <message>
        <source>row %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>... and %1 more rows</source>
        <translation>……另有 %1 行</translation>
    </message>
</context>
<context>
    <name>GsiToDxf</name>
    <message>
        <source>the drawing would replace the GSI file it is made from</source>
        <translation>图形文件会覆盖作为来源的 GSI 文件</translation>
    </message>
    <message>
        <source>no GSI file given</source>
        <translation>未指定 GSI 文件</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>无法创建 %1：%2</translation>
    </message>
    <message>
        <source>cannot convert into %1: %2</source>
        <translation>无法转换为 %1：%2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>GsiToDxfDialog</name>
    <message>
        <source>Points, names and elevations on separate layers</source>
        <translation>点、点名和高程分别放在不同图层</translation>
    </message>
</context>
<context>
    <name>LauncherDialog</name>
    <message>
        <source>EXIT</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>ManagerWindow</name>
    <message>
        <source>Serial ports belong to the group &quot;dialout&quot;. Add yourself to it with
    sudo usermod -aG dialout $USER
then log out and in again.</source>
        <translation>串口属于“dialout”用户组。请用以下命令把自己加入该组：
    sudo usermod -aG dialout $USER
然后注销并重新登录。</translation>
    </message>
    <message>
        <source>%1 cannot be sent: %2</source>
        <translation>%1 无法发送：%2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <source>Data Exchange Manager</source>
        <translation>数据交换管理器</translation>
    </message>
    <message>
        <source>Coordinate Editor</source>
        <translation>坐标编辑器</translation>
    </message>
</context>
<context>
    <name>PlanView</name>
    <message numerus="yes">
        <source>%n more</source>
        <translation>
            <numerusform>另有 %n 个</numerusform>
        </translation>
    </message>
    <message>
        <source>Without coordinates (%1): %2</source>
        <translation>无坐标的点（%1）：%2</translation>
    </message>
</context>
<context>
    <name>QtSerialLink</name>
    <message>
        <source>no serial port number %1 is present</source>
        <translation>不存在编号为 %1 的串口</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>the port is not open</source>
        <translation>端口未打开</translation>
    </message>
    <message>
        <source>the device was unplugged or closed</source>
        <translation>设备已拔出或已关闭</translation>
    </message>
    <message>
        <source>the device could not be read; it may have been unplugged</source>
        <translation>无法从设备读取，设备可能已拔出</translation>
    </message>
    <message>
        <source>the device could not be written to; it may have been unplugged</source>
        <translation>无法向设备写入，设备可能已拔出</translation>
    </message>
    <message>
        <source>the connection on %1 was lost (%2)</source>
        <translation>%1 上的连接已断开（%2）</translation>
    </message>
</context>
<context>
    <name>SkippedLines</name>
    <message>
        <source>%1 without coordinates</source>
        <translation>%1 行无坐标</translation>
    </message>
    <message>
        <source>%1 without a value for easting or northing</source>
        <translation>%1 行缺少东坐标或北坐标的值</translation>
    </message>
    <message>
        <source>%1 not a record</source>
        <translation>%1 行不是记录</translation>
    </message>
    <message>
        <source>%1 with a unit that is no length</source>
        <translation>%1 行的单位不是长度单位</translation>
    </message>
    <message>
        <source>%1 line skipped: %2</source>
        <translation>跳过 %1 行：%2</translation>
    </message>
    <message>
        <source>%1 lines skipped: %2</source>
        <translation>跳过 %1 行：%2</translation>
    </message>
</context>
<context>
    <name>TransferResult</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1/%2</translation>
    </message>
    <message>
        <source>%1 lines were saved in %2.</source>
        <translation>%1 行已保存到 %2。</translation>
    </message>
    <message>
        <source>The instrument sent only %1 lines; they were saved in %2.</source>
        <translation>仪器只发送了 %1 行；这些行已保存到 %2。</translation>
    </message>
    <message>
        <source>The instrument sent only %1 lines; nothing was saved.</source>
        <translation>仪器只发送了 %1 行；没有保存任何文件。</translation>
    </message>
    <message>
        <source>The download failed: %1 Nothing was saved under %2.</source>
        <translation>下载失败：%1 未保存 %2。</translation>
    </message>
    <message>
        <source>The download was cancelled after %1 lines; nothing was saved.</source>
        <translation>下载在第 %1 行后被取消；没有保存任何文件。</translation>
    </message>
    <message>
        <source>The connection to the instrument was lost during the download (%1). The %2 lines received were discarded; nothing was saved.</source>
        <translation>下载过程中与仪器的连接断开（%1）。已收到的 %2 行被丢弃；没有保存任何文件。</translation>
    </message>
    <message>
        <source>The existing %1 was left as it was.</source>
        <translation>原有的 %1 保持不变。</translation>
    </message>
    <message>
        <source>%1 lines were sent from %2.</source>
        <translation>已从 %2 发送 %1 行。</translation>
    </message>
    <message>
        <source>The upload stopped at line %1 of the file, after %2 lines: %3</source>
        <translation>上传在文件第 %1 行停止，已发送 %2 行：%3</translation>
    </message>
    <message>
        <source>The upload stopped after %1 lines: %2</source>
        <translation>上传在 %1 行后停止：%2</translation>
    </message>
    <message>
        <source>The upload failed after %1 lines: %2</source>
        <translation>上传在 %1 行后失败：%2</translation>
    </message>
    <message>
        <source>The upload was cancelled before any line was sent.</source>
        <translation>上传在发送任何一行之前被取消。</translation>
    </message>
    <message>
        <source>The upload was cancelled after %1 lines; the job on the instrument holds the lines sent so far.</source>
        <translation>上传在 %1 行后被取消；仪器上的作业保留已发送的行。</translation>
    </message>
    <message>
        <source>The connection to the instrument was lost during the upload (%1) after %2 lines; the job on the instrument holds the lines sent so far.</source>
        <translation>上传过程中与仪器的连接断开（%1），已发送 %2 行；仪器上的作业保留已发送的行。</translation>
    </message>
</context>
<context>
    <name>UploadReader</name>
    <message>
        <source> and %1 more</source>
        <translation> 及另外 %1 行</translation>
    </message>
    <message>
        <source>the file holds no point</source>
        <translation>文件中没有点</translation>
    </message>
    <message>
        <source>the file is in feet; only files in metres are converted for the instrument</source>
        <translation>文件单位为英尺；只有以米为单位的文件才能转换后发送到仪器</translation>
    </message>
    <message>
        <source>%1 points cannot be sent as GSI-16 without loss:
%2</source>
        <translation>%1 个点无法无损地以 GSI-16 发送：
%2</translation>
    </message>
    <message>
        <source>rows without a value are sent with 0 in its place: rows %1</source>
        <translation>无值的行以 0 代替发送：第 %1 行</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 characters</source>
        <translation>第 %1 行超过 %2 个字符</translation>
    </message>
    <message>
        <source>line %1 is neither a GSI-16 nor a GSI-8 line</source>
        <translation>第 %1 行既不是 GSI-16 行也不是 GSI-8 行</translation>
    </message>
</context>
</TS>
