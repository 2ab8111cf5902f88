<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>新建文档</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <translation>撤销上一步操作</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard</source>
        <translation>剪切所选内容并放到剪贴板</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard</source>
        <translation>复制所选内容并放到剪贴板</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Insert Clipboard contents</source>
        <translation>插入剪贴板内容</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>打印当前文档</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>bursts</source>
        <translation>突发</translation>
    </message>
    <message>
        <source>0 (&quot;bursts&quot;): a burst of at most 1 s above 1.5 x the flight&apos;s typical high current</source>
        <translation>0（“突发”）：不超过 1 s、高于本次飞行典型大电流 1.5 倍的电流突发</translation>
    </message>
    <message>
        <source>Lowest voltage per &amp;cell:</source>
        <translation>最低单节电压(&amp;C)：</translation>
    </message>
    <message>
        <source>Highest &amp;temperature:</source>
        <translation>最高温度(&amp;T)：</translation>
    </message>
    <message>
        <source>Highest c&amp;urrent:</source>
        <translation>最大电流(&amp;U)：</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>More colours...</source>
        <translation>更多颜色...</translation>
    </message>
    <message>
        <source>More colours</source>
        <translation>更多颜色</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Can&apos;t keep a snapshot of the ESC settings in %s (%s)!</source>
        <translation>无法在 %s 中保存电调设置快照（%s）！</translation>
    </message>
    <message>
        <source>The %s series has no parameter &quot;%s&quot;!</source>
        <translation>%s 系列没有参数“%s”！</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is no value of %s; it takes: %s, or the index 0-%d.</source>
        <translation>“%s”不是 %s 的取值；可取：%s，或序号 0-%d。</translation>
    </message>
    <message>
        <source>%s comes from the ESC and can&apos;t be set; it is written back as read.</source>
        <translation>%s 由电调给出，不能设置；写入时按读取值写回。</translation>
    </message>
    <message>
        <source>%s is not a Tavix ESC parameter file!</source>
        <translation>%s 不是 Tavix 电调参数文件！</translation>
    </message>
    <message>
        <source>The file holds parameters of the %s series, but this is the %s series page!</source>
        <translation>该文件保存的是 %s 系列的参数，但本页是 %s 系列！</translation>
    </message>
    <message>
        <source>%s, line %d: %s</source>
        <translation>%s，第 %d 行：%s</translation>
    </message>
    <message>
        <source>A preset needs a name.</source>
        <translation>预设需要一个名称。</translation>
    </message>
    <message>
        <source>&quot;%s&quot; can&apos;t name a preset: %s.</source>
        <translation>“%s”不能用作预设名称：%s。</translation>
    </message>
    <message>
        <source>it may not hold / or \</source>
        <translation>不能包含 / 或 \</translation>
    </message>
    <message>
        <source>it may not begin with a dot</source>
        <translation>不能以点开头</translation>
    </message>
    <message>
        <source>it may not hold control characters</source>
        <translation>不能包含控制字符</translation>
    </message>
    <message>
        <source>it is longer than 80 bytes</source>
        <translation>超过 80 字节</translation>
    </message>
    <message>
        <source>There is no preset named &quot;%s&quot;.</source>
        <translation>没有名为“%s”的预设。</translation>
    </message>
    <message>
        <source>A preset named &quot;%s&quot; exists already.</source>
        <translation>名为“%s”的预设已存在。</translation>
    </message>
    <message>
        <source>Can&apos;t write the preset &quot;%s&quot; (%s)!</source>
        <translation>无法写入预设“%s”（%s）！</translation>
    </message>
    <message>
        <source>Can&apos;t read the preset &quot;%s&quot; (%s)!</source>
        <translation>无法读取预设“%s”（%s）！</translation>
    </message>
    <message>
        <source>Can&apos;t delete the preset &quot;%s&quot; (%s)!</source>
        <translation>无法删除预设“%s”（%s）！</translation>
    </message>
    <message>
        <source>Can&apos;t export the preset &quot;%s&quot; to %s (%s)!</source>
        <translation>无法将预设“%s”导出到 %s（%s）！</translation>
    </message>
    <message>
        <source>The preset &quot;%s&quot; holds parameters of the %s series, but this ESC is of the %s series!</source>
        <translation>预设“%s”保存的是 %s 系列的参数，但此电调属于 %s 系列！</translation>
    </message>
    <message>
        <source>%s holds parameters of the %s series, which this program does not know.</source>
        <translation>%s 保存的是 %s 系列的参数，本程序不认识该系列。</translation>
    </message>
    <message>
        <source>There is no folder for presets: neither XDG_DATA_HOME nor HOME is set.</source>
        <translation>没有存放预设的文件夹：XDG_DATA_HOME 和 HOME 均未设置。</translation>
    </message>
    <message>
        <source>%s holds values no device produces: %s at sample %d (%.2f s) reads %s. Its curves, statistics and exports are not to be trusted.</source>
        <translation>%s 含有设备不可能产生的数值：%s 在第 %d 个采样点（%.2f s）读数为 %s。其曲线、统计和导出结果均不可信。</translation>
    </message>
    <message>
        <source>Implausible values: %s reads %s at %.2f s (sample %d); curves, statistics and exports are not to be trusted.</source>
        <translation>数值不可信：%s 读数为 %s，位于 %.2f s（第 %d 个采样点）；曲线、统计和导出结果均不可信。</translation>
    </message>
    <message>
        <source>Voltage (V)</source>
        <translation>电压 (V)</translation>
    </message>
    <message>
        <source>Current (A)</source>
        <translation>电流 (A)</translation>
    </message>
    <message>
        <source>Throttle (%)</source>
        <translation>油门 (%)</translation>
    </message>
    <message>
        <source>Temperature (%s)</source>
        <translation>温度 (%s)</translation>
    </message>
    <message>
        <source>Motor RPM</source>
        <translation>电机转速</translation>
    </message>
    <message>
        <source>Power (W)</source>
        <translation>功率 (W)</translation>
    </message>
    <message>
        <source>section %d (%s) is cut short</source>
        <translation>第 %d 段 (%s) 不完整</translation>
    </message>
    <message>
        <source>section %d (%s) fails its checksum</source>
        <translation>第 %d 段 (%s) 校验失败</translation>
    </message>
    <message>
        <source>throttle calibration</source>
        <translation>油门校准</translation>
    </message>
    <message>
        <source>kept as read</source>
        <translation>保持读取值</translation>
    </message>
</context>
<context>
    <name>tavix</name>
    <message>
        <source>Max.Power</source>
        <translation>最大功率</translation>
    </message>
    <message>
        <source>Capacity</source>
        <translation>容量</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>能量</translation>
    </message>
    <message>
        <source>Avg.Current</source>
        <translation>平均电流</translation>
    </message>
    <message>
        <source>Cells</source>
        <translation>电芯数</translation>
    </message>
    <message>
        <source>Min.V/Cell</source>
        <translation>最低单节电压</translation>
    </message>
    <message>
        <source>Resistance</source>
        <translation>内阻</translation>
    </message>
    <message>
        <source>Pack</source>
        <translation>电池</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Prop k</source>
        <translation>螺旋桨 k</translation>
    </message>
    <message>
        <source>Eff.</source>
        <translation>效率</translation>
    </message>
    <message>
        <source>Steady</source>
        <translation>平稳段</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>机型</translation>
    </message>
    <message>
        <source>The motor from the flight&apos;s steady stretches: Kv (rpm per volt), winding resistance Rm, the propeller&apos;s load k (shaft watts per 1000 rpm cubed), the motor&apos;s mean efficiency and the seconds of steady flight they come from (at least 5 s)</source>
        <translation>由飞行中平稳段求得的电机数据：Kv（每伏转速）、绕组电阻 Rm、螺旋桨负载 k（每千转立方的轴功率瓦数）、电机平均效率，以及所依据的平稳飞行秒数（至少 5 s）</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Max.Current</source>
        <translation>最大电流</translation>
    </message>
    <message>
        <source>Min.Voltage</source>
        <translation>最低电压</translation>
    </message>
    <message>
        <source>Max.Temperature</source>
        <translation>最高温度</translation>
    </message>
    <message>
        <source>Max.RPM</source>
        <translation>最高转速</translation>
    </message>
    <message>
        <source>Aligned at (s)</source>
        <translation>对齐于 (s)</translation>
    </message>
    <message>
        <source>Offset (s)</source>
        <translation>偏移 (s)</translation>
    </message>
    <message>
        <source>not reached, start</source>
        <translation>未达到，按起点</translation>
    </message>
    <message>
        <source>Between the cursors</source>
        <translation>两光标之间</translation>
    </message>
    <message>
        <source>ESC settings that differ</source>
        <translation>不同的电调设置</translation>
    </message>
    <message>
        <source>ESC settings: the same</source>
        <translation>电调设置：相同</translation>
    </message>
    <message>
        <source>ESC settings: not stored in enough records</source>
        <translation>电调设置：保存该设置的记录不足</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>已保存</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>no</source>
        <translation>否</translation>
    </message>
    <message>
        <source>difference</source>
        <translation>差值</translation>
    </message>
    <message>
        <source>The note with its pack and model lines needs more than %d bytes; shorten the note.</source>
        <translation>备注连同电池行和机型行需要超过 %d 字节，请缩短备注。</translation>
    </message>
    <message>
        <source>Symbolic link owned by another user</source>
        <translation>属于其他用户的符号链接</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>文件过大</translation>
    </message>
    <message>
        <source>Can&apos;t get hardware version!</source>
        <translation>无法获取硬件版本！</translation>
    </message>
    <message>
        <source>Incorrect config file!</source>
        <translation>配置文件不正确！</translation>
    </message>
    <message>
        <source>%s has no [hardware] default entry</source>
        <translation>%s 中没有 [hardware] 的 default 项</translation>
    </message>
    <message>
        <source>There is no %s in %s (Tavix reads it from the folder it is started in).
tools/run.sh and the installed starter (tavix-launch) put one there; or copy the default, res/config.ini, into that folder.</source>
        <translation>%s 不在 %s 中（Tavix 从启动时所在的文件夹读取它）。
tools/run.sh 和安装版启动器（tavix-launch）会在那里放一份；也可以把默认文件 res/config.ini 复制到该文件夹。</translation>
    </message>
    <message>
        <source>%s was left unchanged: its line %d is longer than 2047 characters, so nothing from that line on was read, and writing the file back would have lost it. The change holds until Tavix closes.</source>
        <translation>%s 未作改动：其第 %d 行超过 2047 个字符，从该行起的内容都没有读入，写回文件会丢失这些内容。此更改在 Tavix 关闭前有效。</translation>
    </message>
    <message>
        <source>%s: %s</source>
        <translation>%s：%s</translation>
    </message>
    <message>
        <source>%s was left unchanged: it is %llu bytes, more than the 16 MB a settings file may have, so none of it was read.</source>
        <translation>%s 未作改动：它有 %llu 字节，超过设置文件允许的 16 MB，因此完全没有读入。</translation>
    </message>
    <message>
        <source>Time out, device open failure!</source>
        <translation>超时，打开设备失败！</translation>
    </message>
    <message>
        <source>Can&apos;t find hardware %s&apos;s parameter setting!</source>
        <translation>找不到硬件 %s 的参数设置！</translation>
    </message>
    <message>
        <source>Unrecognized firmware version : %s</source>
        <translation>无法识别的固件版本：%s</translation>
    </message>
    <message>
        <source>The ESC on the port is now %s, not the %s this page showed.
Nothing was sent. The page now shows the ESC found; check it and try again.</source>
        <translation>端口上的电调现在是 %s，而不是本页显示的 %s。
没有发送任何数据。本页现在显示找到的电调；请检查后重试。</translation>
    </message>
    <message>
        <source>Waiting for an ESC: plug the next one in.</source>
        <translation>等待电调：请接上下一个。</translation>
    </message>
    <message>
        <source>ESC %d (%s): writing and reading back...</source>
        <translation>电调 %d（%s）：正在写入并回读...</translation>
    </message>
    <message>
        <source>ESC %d is of the %s series, not %s: nothing written. Unplug it.</source>
        <translation>电调 %d 属于 %s 系列，不是 %s：未写入。请拔下它。</translation>
    </message>
    <message>
        <source>ESC %d %s. Unplug it for the next one.</source>
        <translation>电调 %d %s。请拔下它，换下一个。</translation>
    </message>
    <message>
        <source>Done: %d of %d ESCs written and read back.</source>
        <translation>完成：%d / %d 个电调已写入并回读。</translation>
    </message>
    <message>
        <source>Stopped: %d of %d ESCs written and read back.</source>
        <translation>已停止：%d / %d 个电调已写入并回读。</translation>
    </message>
    <message>
        <source>Are you sure you want to update?</source>
        <translation>确定要更新吗？</translation>
    </message>
    <message>
        <source>Invalid version number, please re-power on and try it again!</source>
        <translation>版本号无效，请重新上电后再试！</translation>
    </message>
    <message>
        <source>Parameters updating complete!</source>
        <translation>参数更新完成！</translation>
    </message>
    <message>
        <source>Time out, parameters updating failure!</source>
        <translation>超时，参数更新失败！</translation>
    </message>
    <message>
        <source>Throttle calibration parameters have been revised to the wrong value; Please re-read settings data transfer electricity!</source>
        <translation>油门校准参数被改成了错误的值，请重新读取设置数据后再写入电调！</translation>
    </message>
    <message>
        <source>Temperature Offset takes a whole number 0-255.</source>
        <translation>温度补偿须为 0-255 的整数。</translation>
    </message>
    <message>
        <source>The ESC was written, but these parameters did not take: %s. Please check the ESC and try again.</source>
        <translation>电调已写入，但以下参数未生效：%s。请检查电调后重试。</translation>
    </message>
    <message>
        <source>The parameters were sent, but reading them back timed out: read the ESC again to check them!</source>
        <translation>参数已发送，但回读超时：请重新读取电调进行检查！</translation>
    </message>
    <message>
        <source>Read the ESC first: a snapshot is restored onto the values the ESC holds.</source>
        <translation>请先读取电调：快照要在电调现有的数值上恢复。</translation>
    </message>
    <message>
        <source>The snapshot holds parameters of the %s series, but this ESC is of the %s series!</source>
        <translation>该快照保存的是 %s 系列的参数，但此电调属于 %s 系列！</translation>
    </message>
    <message>
        <source>The snapshot was taken of firmware %s, but this ESC runs %s: its parameters may mean other things, so it is not restored.</source>
        <translation>该快照取自固件 %s，但此电调运行的是 %s：参数含义可能不同，因此不予恢复。</translation>
    </message>
    <message>
        <source>The page holds changes that are not in the ESC yet. Read the ESC and lose them?</source>
        <translation>本页有尚未写入电调的更改。要读取电调并放弃这些更改吗？</translation>
    </message>
    <message>
        <source>The values of the file are on the page but not yet in the ESC: press &quot;Update&quot; to write them.</source>
        <translation>文件中的数值已显示在本页，但尚未写入电调：请按“更新”写入。</translation>
    </message>
    <message>
        <source>Put the snapshot back into the ESC? This changes:</source>
        <translation>要把快照恢复到电调吗？将更改：</translation>
    </message>
    <message>
        <source>The ESC holds the values of the snapshot already: nothing to restore.</source>
        <translation>电调已是快照中的数值：无需恢复。</translation>
    </message>
    <message>
        <source>Firmware Version:</source>
        <translation>固件版本：</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>状态：</translation>
    </message>
    <message>
        <source>Default Value</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Read from ESC</source>
        <translation>从电调读取</translation>
    </message>
    <message>
        <source>History...</source>
        <translation>历史...</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Changed since the last read: not yet in the ESC</source>
        <translation>自上次读取后已更改：尚未写入电调</translation>
    </message>
    <message>
        <source>Batch...</source>
        <translation>批量...</translation>
    </message>
    <message>
        <source>Many ESCs in a row</source>
        <translation>连续设置多个电调</translation>
    </message>
    <message>
        <source>Settings:</source>
        <translation>设置：</translation>
    </message>
    <message>
        <source>ESCs:</source>
        <translation>电调数：</translation>
    </message>
    <message>
        <source>The page&apos;s values</source>
        <translation>本页的数值</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Save Report...</source>
        <translation>保存报告...</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>Can&apos;t write the report %s (%s)!</source>
        <translation>无法写入报告 %s（%s）！</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Save Page as Preset...</source>
        <translation>将本页存为预设...</translation>
    </message>
    <message>
        <source>Apply Preset</source>
        <translation>应用预设</translation>
    </message>
    <message>
        <source>Rename Preset</source>
        <translation>重命名预设</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>删除预设</translation>
    </message>
    <message>
        <source>Export Preset</source>
        <translation>导出预设</translation>
    </message>
    <message>
        <source>Import Preset...</source>
        <translation>导入预设...</translation>
    </message>
    <message>
        <source>(no presets)</source>
        <translation>（无预设）</translation>
    </message>
    <message>
        <source>Name of the preset:</source>
        <translation>预设名称：</translation>
    </message>
    <message>
        <source>A preset named &quot;%s&quot; exists already. Replace it?</source>
        <translation>名为“%s”的预设已存在。要替换吗？</translation>
    </message>
    <message>
        <source>Delete the preset &quot;%s&quot;?</source>
        <translation>删除预设“%s”？</translation>
    </message>
    <message>
        <source>Read the ESC first: the page holds no values to keep as a preset.</source>
        <translation>请先读取电调：本页没有可存为预设的数值。</translation>
    </message>
    <message>
        <source>The values of the preset &quot;%s&quot; are on the page but not yet in the ESC: press &quot;Update&quot; to write them. Compared with the ESC this changes:</source>
        <translation>预设“%s”的数值已显示在本页，但尚未写入电调：请按“更新”写入。与电调相比将更改：</translation>
    </message>
    <message>
        <source>Tavix ESC Parameters (*.esc.txt)</source>
        <translation>Tavix 电调参数 (*.esc.txt)</translation>
    </message>
    <message>
        <source>Save to File...</source>
        <translation>保存到文件...</translation>
    </message>
    <message>
        <source>Load from File...</source>
        <translation>从文件载入...</translation>
    </message>
    <message>
        <source>Can&apos;t write the parameter file %s (%s)!</source>
        <translation>无法写入参数文件 %s（%s）！</translation>
    </message>
    <message>
        <source>Can&apos;t read the parameter file %s!</source>
        <translation>无法读取参数文件 %s！</translation>
    </message>
    <message>
        <source>Nothing changes: the ESC holds these values already.</source>
        <translation>没有变化：电调已是这些数值。</translation>
    </message>
    <message>
        <source>Ostrin series</source>
        <translation>Ostrin 系列</translation>
    </message>
    <message>
        <source>Low Voltage Cutoff:</source>
        <translation>低压保护：</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Lipo cell Cutoff Voltage:</source>
        <translation>锂电单节截止电压：</translation>
    </message>
    <message>
        <source>V per cell</source>
        <translation>V/节</translation>
    </message>
    <message>
        <source>Current Limit:</source>
        <translation>限流：</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>灵敏</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Insensitivity</source>
        <translation>迟钝</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Timing Advance:</source>
        <translation>进角：</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>低</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>中</translation>
    </message>
    <message>
        <source>High</source>
        <translation>高</translation>
    </message>
    <message>
        <source>Over-heat Protection:</source>
        <translation>过热保护：</translation>
    </message>
    <message>
        <source>Neutral Range:</source>
        <translation>中点范围：</translation>
    </message>
    <message>
        <source>6% (Narrow)</source>
        <translation>6%（窄）</translation>
    </message>
    <message>
        <source>9% (Standard)</source>
        <translation>9%（标准）</translation>
    </message>
    <message>
        <source>12% (Wide)</source>
        <translation>12%（宽）</translation>
    </message>
    <message>
        <source>% of throttle</source>
        <translation>% 油门</translation>
    </message>
    <message>
        <source>Start Mode:</source>
        <translation>启动模式：</translation>
    </message>
    <message>
        <source>Soft</source>
        <translation>柔和</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快速</translation>
    </message>
    <message>
        <source>Very Fast</source>
        <translation>极快</translation>
    </message>
    <message>
        <source>Running Mode:</source>
        <translation>运行模式：</translation>
    </message>
    <message>
        <source>Forward and Brake</source>
        <translation>前进带刹车</translation>
    </message>
    <message>
        <source>For/brake stop/Rev</source>
        <translation>前进/刹车停止后倒车</translation>
    </message>
    <message>
        <source>For/brake/Rev</source>
        <translation>前进/刹车/倒车</translation>
    </message>
    <message>
        <source>PWM Rate:</source>
        <translation>PWM 频率：</translation>
    </message>
    <message>
        <source>Drag Brake:</source>
        <translation>拖刹：</translation>
    </message>
    <message>
        <source>Brake Amount:</source>
        <translation>刹车力度：</translation>
    </message>
    <message>
        <source>Reverse Amount:</source>
        <translation>倒车力度：</translation>
    </message>
    <message>
        <source>Motor Type:</source>
        <translation>电机类型：</translation>
    </message>
    <message>
        <source>Brushless</source>
        <translation>无刷</translation>
    </message>
    <message>
        <source>Brushed (For/Rev)</source>
        <translation>有刷（正/反转）</translation>
    </message>
    <message>
        <source>ABS Brake Rate:</source>
        <translation>ABS 刹车频率：</translation>
    </message>
    <message>
        <source>Forward Throttle Range:</source>
        <translation>前进油门行程：</translation>
    </message>
    <message>
        <source>Throttle Neutral:</source>
        <translation>油门中点：</translation>
    </message>
    <message>
        <source>Reverse Throttle Range:</source>
        <translation>倒车油门行程：</translation>
    </message>
    <message>
        <source>Temperature Offset:</source>
        <translation>温度补偿：</translation>
    </message>
    <message>
        <source>Peldan Series</source>
        <translation>Peldan 系列</translation>
    </message>
    <message>
        <source>1 cell</source>
        <translation>1 节</translation>
    </message>
    <message>
        <source>LVC:</source>
        <translation>低压保护：</translation>
    </message>
    <message>
        <source>cells</source>
        <translation>节</translation>
    </message>
    <message>
        <source>LVC / per cell:</source>
        <translation>低压保护/每节：</translation>
    </message>
    <message>
        <source>Current Limiting:</source>
        <translation>限流：</translation>
    </message>
    <message>
        <source>Brake Types:</source>
        <translation>刹车类型：</translation>
    </message>
    <message>
        <source>No Brake</source>
        <translation>无刹车</translation>
    </message>
    <message>
        <source>Soft Brake</source>
        <translation>软刹车</translation>
    </message>
    <message>
        <source>Hard Brake</source>
        <translation>硬刹车</translation>
    </message>
    <message>
        <source>Cutoff Type:</source>
        <translation>保护方式：</translation>
    </message>
    <message>
        <source>Hard Cutoff</source>
        <translation>硬切断</translation>
    </message>
    <message>
        <source>Soft Cutoff</source>
        <translation>软降功率</translation>
    </message>
    <message>
        <source>Startup Type:</source>
        <translation>启动方式：</translation>
    </message>
    <message>
        <source>Soft Start</source>
        <translation>软启动</translation>
    </message>
    <message>
        <source>Fast Start</source>
        <translation>快速启动</translation>
    </message>
    <message>
        <source>Governor Mode:</source>
        <translation>定速模式：</translation>
    </message>
    <message>
        <source>Low RPM</source>
        <translation>低转速</translation>
    </message>
    <message>
        <source>High RPM</source>
        <translation>高转速</translation>
    </message>
    <message>
        <source>Throttle Range:</source>
        <translation>油门行程：</translation>
    </message>
    <message>
        <source>Tarrow series</source>
        <translation>Tarrow 系列</translation>
    </message>
    <message>
        <source>Velmor series</source>
        <translation>Velmor 系列</translation>
    </message>
    <message>
        <source>2 Cells</source>
        <translation>2 节</translation>
    </message>
    <message>
        <source>3 Cells</source>
        <translation>3 节</translation>
    </message>
    <message>
        <source>4 Cells</source>
        <translation>4 节</translation>
    </message>
    <message>
        <source>5 Cells</source>
        <translation>5 节</translation>
    </message>
    <message>
        <source>6 Cells</source>
        <translation>6 节</translation>
    </message>
    <message>
        <source>7 Cells</source>
        <translation>7 节</translation>
    </message>
    <message>
        <source>8 Cells</source>
        <translation>8 节</translation>
    </message>
    <message>
        <source>9 Cells</source>
        <translation>9 节</translation>
    </message>
    <message>
        <source>10 Cells</source>
        <translation>10 节</translation>
    </message>
    <message>
        <source>11 Cells</source>
        <translation>11 节</translation>
    </message>
    <message>
        <source>12 Cells</source>
        <translation>12 节</translation>
    </message>
    <message>
        <source>Cutoff Voltage/Cell:</source>
        <translation>每节截止电压：</translation>
    </message>
    <message>
        <source>Brake  Types:</source>
        <translation>刹车类型：</translation>
    </message>
    <message>
        <source>No fly record can be saved as csv!</source>
        <translation>没有可保存为 CSV 的飞行记录！</translation>
    </message>
    <message>
        <source>Can&apos;t open the specified file!</source>
        <translation>无法打开指定的文件！</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>CSV, UTF-8 with time column (*.csv)</source>
        <translation>CSV，UTF-8，带时间列 (*.csv)</translation>
    </message>
    <message>
        <source>Can&apos;t open the specified COM port !</source>
        <translation>无法打开指定的串口！</translation>
    </message>
    <message>
        <source>Can&apos;t open the specified COM port!</source>
        <translation>无法打开指定的串口！</translation>
    </message>
    <message>
        <source>No serial port has been chosen</source>
        <translation>尚未选择串口</translation>
    </message>
    <message>
        <source>Port %s: %s</source>
        <translation>端口 %s：%s</translation>
    </message>
    <message>
        <source>&quot;Diagnose&quot; in the COM port window, or tavix-cli doctor, tells more.</source>
        <translation>串口设置窗口中的“诊断”或 tavix-cli doctor 可提供更多信息。</translation>
    </message>
    <message>
        <source>Time out, connect failure!</source>
        <translation>超时，连接失败！</translation>
    </message>
    <message>
        <source>%lu bytes came from the device, but none of them formed a valid reply (wrong check sum, command byte or length). Check that nothing else uses the port and that the cable is firmly in.</source>
        <translation>设备发来了 %lu 字节，但没有一个能组成有效应答（校验和、命令字节或长度错误）。请确认没有其他程序占用该端口，并且数据线已插牢。</translation>
    </message>
    <message>
        <source>lock file %s is not a regular file (it would keep the port from opening for ever); remove it with: sudo rm %s</source>
        <translation>锁文件 %s 不是普通文件（它会让端口永远无法打开）；请用以下命令删除：sudo rm %s</translation>
    </message>
    <message>
        <source>Replies that answered another request: %d (%s). None was taken for the request awaited (command %u, address 0x%04X, length %u): a request or a reply was lost on the line.</source>
        <translation>答复其他请求的应答：%d 个（%s）。没有一个被当作所等待请求（命令 %u，地址 0x%04X，长度 %u）的应答：线路上丢失了一个请求或应答。</translation>
    </message>
    <message>
        <source>command %u, address 0x%04X, length %u</source>
        <translation>命令 %u，地址 0x%04X，长度 %u</translation>
    </message>
    <message>
        <source>; command %u, address 0x%04X, length %u</source>
        <translation>；命令 %u，地址 0x%04X，长度 %u</translation>
    </message>
    <message>
        <source>Make sure gear rate and pole number are correct!
Do you want to continue?</source>
        <translation>请确认齿轮比和极数正确！
是否继续？</translation>
    </message>
    <message>
        <source>No fly record data!</source>
        <translation>没有飞行记录数据！</translation>
    </message>
    <message>
        <source>The pole number must be a whole number of at least %d: a motor has at least one pole pair. Please correct &quot;Pole Number :&quot; before uploading.</source>
        <translation>极数必须是不小于 %d 的整数：电机至少有一对磁极。请在上传前更正“极数：”。</translation>
    </message>
    <message>
        <source>Time out, get data failure!</source>
        <translation>超时，获取数据失败！</translation>
    </message>
    <message>
        <source>Too much fly data!</source>
        <translation>飞行数据过多！</translation>
    </message>
    <message>
        <source>Can&apos;t write the record file %s (%s)! This flight was not saved.</source>
        <translation>无法写入记录文件 %s（%s）！本次飞行未保存。</translation>
    </message>
    <message>
        <source>No flight was long enough to keep: a flight needs at least %d samples. No record file was written.</source>
        <translation>没有足够长的飞行可保存：一次飞行至少需要 %d 个采样点。未写入任何记录文件。</translation>
    </message>
    <message>
        <source>Flights found in the logger: %d
</source>
        <translation>记录仪中找到的飞行：%d
</translation>
    </message>
    <message>
        <source>No record file was written.
</source>
        <translation>未写入任何记录文件。
</translation>
    </message>
    <message>
        <source>Record files written: %d, in %s
</source>
        <translation>已写入记录文件：%d 个，位于 %s
</translation>
    </message>
    <message>
        <source>Skipped:
</source>
        <translation>已跳过：
</translation>
    </message>
    <message>
        <source>  flight %d: no samples
</source>
        <translation>  飞行 %d：没有采样点
</translation>
    </message>
    <message>
        <source>  flight %d: %d samples, shorter than %d
</source>
        <translation>  飞行 %d：%d 个采样点，少于 %d
</translation>
    </message>
    <message>
        <source>  flight %d: %d samples, longer than %d
</source>
        <translation>  飞行 %d：%d 个采样点，多于 %d
</translation>
    </message>
    <message>
        <source>  flight %d: the file %s could not be written (%s)
</source>
        <translation>  飞行 %d：文件 %s 无法写入（%s）
</translation>
    </message>
    <message>
        <source>  flight %d: overwritten by cycle recording, a later flight was written over it
</source>
        <translation>  飞行 %d：已被循环记录覆盖，后来的飞行写在了它上面
</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>（无）</translation>
    </message>
    <message>
        <source>The logger holds %d flights:
</source>
        <translation>记录仪中有 %d 次飞行：
</translation>
    </message>
    <message>
        <source>new</source>
        <translation>新</translation>
    </message>
    <message>
        <source>already stored: %s</source>
        <translation>已保存：%s</translation>
    </message>
    <message>
        <source>overwritten by cycle recording</source>
        <translation>已被循环记录覆盖</translation>
    </message>
    <message>
        <source>no samples</source>
        <translation>没有采样点</translation>
    </message>
    <message>
        <source>shorter than %d samples, not kept</source>
        <translation>少于 %d 个采样点，不保存</translation>
    </message>
    <message>
        <source>longer than %d samples, not kept</source>
        <translation>多于 %d 个采样点，不保存</translation>
    </message>
    <message>
        <source>Cycle recording has written over the oldest flights: they can no longer be read whole.</source>
        <translation>循环记录已覆盖最早的几次飞行：它们无法再完整读出。</translation>
    </message>
    <message>
        <source>--flights takes new, all or flight numbers 1-%d separated by commas, not &quot;%s&quot;</source>
        <translation>--flights 可取 new、all 或以逗号分隔的飞行编号 1-%d，而不是“%s”</translation>
    </message>
    <message>
        <source>The logger holds no flight %d (it holds %d).</source>
        <translation>记录仪中没有第 %d 次飞行（共有 %d 次）。</translation>
    </message>
    <message>
        <source>No flight was chosen: nothing was read.</source>
        <translation>没有选择任何飞行：未读取数据。</translation>
    </message>
    <message>
        <source>%d new, %d already stored in %s
</source>
        <translation>%d 次新飞行，%d 次已保存在 %s
</translation>
    </message>
    <message>
        <source>  flight %d: already stored (%s)
</source>
        <translation>  飞行 %d：已保存（%s）
</translation>
    </message>
    <message>
        <source>  flight %d: not chosen
</source>
        <translation>  飞行 %d：未选择
</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all the data in the logger?</source>
        <translation>确定要清除记录仪中的全部数据吗？</translation>
    </message>
    <message>
        <source>Recorder&apos;s current data has been cleared!</source>
        <translation>记录仪中的数据已清除！</translation>
    </message>
    <message>
        <source>Clear recorder data failed!</source>
        <translation>清除记录仪数据失败！</translation>
    </message>
    <message>
        <source>Logger parameter value updated!</source>
        <translation>记录仪参数已更新！</translation>
    </message>
    <message>
        <source>Time out, update failure!</source>
        <translation>超时，更新失败！</translation>
    </message>
    <message>
        <source>Logger Parameters</source>
        <translation>记录仪参数</translation>
    </message>
    <message>
        <source>Cycle Record:</source>
        <translation>循环记录：</translation>
    </message>
    <message>
        <source>Sampling Rate:</source>
        <translation>采样率：</translation>
    </message>
    <message>
        <source>Flight Times:</source>
        <translation>飞行次数：</translation>
    </message>
    <message>
        <source>Max.Current :</source>
        <translation>最大电流：</translation>
    </message>
    <message>
        <source>A,   Min.Voltage :</source>
        <translation>A，  最低电压：</translation>
    </message>
    <message>
        <source>V,   Max.Throttle :</source>
        <translation>V，  最大油门：</translation>
    </message>
    <message>
        <source>Max.Power :</source>
        <translation>最大功率：</translation>
    </message>
    <message>
        <source>W,  Max.Temperature :</source>
        <translation>W，  最高温度：</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>吸附</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Power (W)</source>
        <translation>功率 (W)</translation>
    </message>
    <message>
        <source>%d samples</source>
        <translation>%d 个采样点</translation>
    </message>
    <message>
        <source>Cursors A-B</source>
        <translation>光标 A-B</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>时长：</translation>
    </message>
    <message>
        <source>Capacity:</source>
        <translation>容量：</translation>
    </message>
    <message>
        <source>Energy:</source>
        <translation>能量：</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>平均</translation>
    </message>
    <message>
        <source>A-&gt;B</source>
        <translation>A-&gt;B</translation>
    </message>
    <message>
        <source>Shift+click places cursor A, Ctrl+click cursor B; drag a cursor or press Left/Right to move it, Esc removes both.</source>
        <translation>Shift+单击放置光标 A，Ctrl+单击放置光标 B；拖动光标或按左/右方向键移动，Esc 清除两个光标。</translation>
    </message>
    <message>
        <source>Power curve</source>
        <translation>功率曲线</translation>
    </message>
    <message>
        <source>Colour of the power curve</source>
        <translation>功率曲线的颜色</translation>
    </message>
    <message>
        <source>The power curve&apos;s colour holds until Tavix closes, but %s could not be written: %s</source>
        <translation>功率曲线的颜色在 Tavix 关闭前有效，但无法写入 %s：%s</translation>
    </message>
    <message>
        <source>Image save error!</source>
        <translation>图像保存错误！</translation>
    </message>
    <message>
        <source>The event limits hold for this run, but could not be saved in %s (%s).</source>
        <translation>事件阈值在本次运行中有效，但无法保存到 %s（%s）。</translation>
    </message>
    <message>
        <source>%s is not compared: at most four records are compared at once.</source>
        <translation>%s 未加入对比：一次最多对比四条记录。</translation>
    </message>
    <message>
        <source>%s is compared already.</source>
        <translation>%s 已在对比中。</translation>
    </message>
    <message>
        <source>%s can&apos;t be compared: %s</source>
        <translation>%s 无法对比：%s</translation>
    </message>
    <message>
        <source>Open a record first: the records added are compared with it.</source>
        <translation>请先打开一条记录：添加的记录将与它对比。</translation>
    </message>
    <message>
        <source>Can&apos;t read the folder %s (%s)!</source>
        <translation>无法读取文件夹 %s（%s）！</translation>
    </message>
    <message>
        <source>%s is not a regular file; only record files are opened.</source>
        <translation>%s 不是普通文件；只能打开记录文件。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>No record names its model. A note line reading &quot;Model: NAME&quot; does.</source>
        <translation>没有记录注明机型。备注中的一行“Model: 名称”即可注明。</translation>
    </message>
    <message>
        <source>No record names its pack. A note whose first line reads &quot;Pack: NAME&quot; does.</source>
        <translation>没有记录注明电池。备注首行写“Pack: 名称”即可注明。</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>保存更改</translation>
    </message>
    <message>
        <source>The note of %s was changed.
Do you want to save the changes?</source>
        <translation>%s 的备注已更改。
是否保存更改？</translation>
    </message>
    <message>
        <source>Gear rate and pole number typed here go into the next upload&apos;s records. A record already made keeps the ones its RPM was computed with.</source>
        <translation>在此输入的齿轮比和极数用于下次上传的记录。已生成的记录保留计算其转速时所用的数值。</translation>
    </message>
    <message>
        <source>For the next upload: this record keeps %.2f and %d.</source>
        <translation>用于下次上传：本记录保留 %.2f 和 %d。</translation>
    </message>
    <message>
        <source>No configure of %s, record load failed</source>
        <translation>没有 %s 的配置，记录载入失败</translation>
    </message>
    <message>
        <source>Can&apos;t read the record file %s (%s)!</source>
        <translation>无法读取记录文件 %s（%s）！</translation>
    </message>
    <message>
        <source>The record file %s announces %d channels, but a record holds 1 to 8 channels. The file was not loaded.</source>
        <translation>记录文件 %s 声明有 %d 个通道，但记录只能有 1 到 8 个通道。未载入该文件。</translation>
    </message>
    <message>
        <source>The record file %s announces %d samples per channel, but a record holds 1 to 16384 samples. The file was not loaded.</source>
        <translation>记录文件 %s 声明每通道有 %d 个采样点，但记录只能有 1 到 16384 个采样点。未载入该文件。</translation>
    </message>
    <message>
        <source>The record file %s is too short: its header and channel table need %llu bytes, but the file has only %llu. The file was not loaded.</source>
        <translation>记录文件 %s 太短：其文件头和通道表需要 %llu 字节，但文件只有 %llu 字节。未载入该文件。</translation>
    </message>
    <message>
        <source>Can&apos;t save the record file %s (%s)!</source>
        <translation>无法保存记录文件 %s（%s）！</translation>
    </message>
    <message>
        <source>The record was not saved over %s: that file was not read whole (%s), and saving would lose what was not read. Save the record under another name.</source>
        <translation>记录未覆盖保存到 %s：该文件没有完整读入（%s），覆盖会丢失未读入的部分。请用其他名称保存记录。</translation>
    </message>
    <message>
        <source>it is larger than %llu bytes, and only that much was read</source>
        <translation>文件大于 %llu 字节，只读入了这么多</translation>
    </message>
    <message>
        <source>Untitled - Tavix</source>
        <translation>无标题 - Tavix</translation>
    </message>
    <message>
        <source>About Tavix</source>
        <translation>关于 Tavix</translation>
    </message>
    <message>
        <source>Host for brushless ESCs and their flight data logger</source>
        <translation>无刷电调及其飞行数据记录仪的上位机</translation>
    </message>
    <message>
        <source>Do you really want to exit?</source>
        <translation>确定要退出吗？</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>Tavix Files (*.dat)</source>
        <translation>Tavix 文件 (*.dat)</translation>
    </message>
    <message>
        <source>&amp;Set Com Port</source>
        <translation>设置串口(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Open Device ...</source>
        <translation>打开设备(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Upload Record Data</source>
        <translation>上传记录数据(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Clear Data</source>
        <translation>清除数据(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>退出(&amp;E)</translation>
    </message>
    <message>
        <source>User Parameter</source>
        <translation>用户参数</translation>
    </message>
    <message>
        <source>Gear Rate :</source>
        <translation>齿轮比：</translation>
    </message>
    <message>
        <source>Pole Number :</source>
        <translation>极数：</translation>
    </message>
    <message>
        <source>Data Transfering ......</source>
        <translation>数据传输中......</translation>
    </message>
    <message>
        <source>Com Port Setting</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>Default COM Port :</source>
        <translation>默认串口：</translation>
    </message>
    <message>
        <source>config.ini could not be written: COM %d holds until Tavix closes.</source>
        <translation>无法写入 config.ini：COM %d 在 Tavix 关闭前有效。</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>应用(&amp;A)</translation>
    </message>
    <message>
        <source>Invalid download file.<byte value="xd"/>
Please select the correct file and try again!</source>
        <translation>无效的下载文件。<byte value="xd"/>
请选择正确的文件后重试！</translation>
    </message>
    <message>
        <source>The file you selected is invalid!</source>
        <translation>所选文件无效！</translation>
    </message>
    <message>
        <source>Are you sure you want to upgrade?</source>
        <translation>确定要升级吗？</translation>
    </message>
    <message>
        <source>Time out, download failure!</source>
        <translation>超时，下载失败！</translation>
    </message>
    <message>
        <source>Invalid version number, please re-power on and try again!</source>
        <translation>版本号无效，请重新上电后再试！</translation>
    </message>
    <message>
        <source>Download successful!</source>
        <translation>下载成功！</translation>
    </message>
    <message>
        <source>Current version: %s<byte value="xd"/>
New version: %s</source>
        <translation>当前版本：%s<byte value="xd"/>
新版本：%s</translation>
    </message>
    <message>
        <source>This firmware is made for another ESC: its series or hardware code differs from the ESC&apos;s. An ESC flashed with firmware for other hardware may not start.<byte value="xd"/>
Are you sure you want to upgrade?</source>
        <translation>此固件是为其他电调制作的：其系列或硬件代码与该电调不同。刷入其他硬件固件的电调可能无法启动。<byte value="xd"/>
确定要升级吗？</translation>
    </message>
    <message>
        <source>The ESC: series %s, hardware %s. The file: series %s, hardware %s.</source>
        <translation>电调：系列 %s，硬件 %s。文件：系列 %s，硬件 %s。</translation>
    </message>
    <message>
        <source>The ESC did not keep the new firmware: it reports version %s, the file carries %s.<byte value="xd"/>
Keep the ESC powered and press Start again; the transfer starts from the first block.</source>
        <translation>电调没有保留新固件：它报告的版本是 %s，文件中的是 %s。<byte value="xd"/>
请保持电调通电并再次按“开始”；传输将从第一块重新开始。</translation>
    </message>
    <message>
        <source>No reply to block %d of %d. Check the cable and the ESC&apos;s power, keep the ESC powered and press Start again; the transfer starts from the first block.</source>
        <translation>第 %d 块（共 %d 块）无应答。请检查数据线和电调供电，保持电调通电并再次按“开始”；传输将从第一块重新开始。</translation>
    </message>
    <message>
        <source>No reply to the write of the new version. Keep the ESC powered and press Start again; the transfer starts from the first block.</source>
        <translation>写入新版本号时无应答。请保持电调通电并再次按“开始”；传输将从第一块重新开始。</translation>
    </message>
    <message>
        <source>No reply when the new version was read back. Keep the ESC powered and press Start again; the transfer starts from the first block.</source>
        <translation>回读新版本号时无应答。请保持电调通电并再次按“开始”；传输将从第一块重新开始。</translation>
    </message>
    <message>
        <source>A firmware download is running: the upgrade page stays until it ends. Leaving it would stop the download and can leave the ESC without working firmware. Press Stop first to leave it.</source>
        <translation>正在下载固件：下载结束前将停留在升级页。离开会中止下载，可能使电调没有可用的固件。请先按“停止”再离开。</translation>
    </message>
    <message>
        <source>Layout: the file has no colon. A firmware file is &lt;image&gt;:&lt;length&gt;:&lt;version&gt;:&lt;check&gt;: on one line.</source>
        <translation>格式：文件中没有冒号。固件文件应为一行 &lt;image&gt;:&lt;length&gt;:&lt;version&gt;:&lt;check&gt;:。</translation>
    </message>
    <message>
        <source>Layout: no colon after the version text. A firmware file is &lt;image&gt;:&lt;length&gt;:&lt;version&gt;:&lt;check&gt;: on one line.</source>
        <translation>格式：版本文本后没有冒号。固件文件应为一行 &lt;image&gt;:&lt;length&gt;:&lt;version&gt;:&lt;check&gt;:。</translation>
    </message>
    <message>
        <source>Length: the length field does not give the %lu image characters before the first colon.</source>
        <translation>长度：长度字段与第一个冒号前的 %lu 个映像字符不符。</translation>
    </message>
    <message>
        <source>Checksum: no check field matches the CRC-16 %u of the text before it; the file is damaged or was changed.</source>
        <translation>校验：没有校验字段与其前文本的 CRC-16 值 %u 相符；文件已损坏或被改动。</translation>
    </message>
    <message>
        <source>Size: the image is %lu bytes; an ESC takes at most %lu.</source>
        <translation>大小：映像有 %lu 字节；电调最多接受 %lu 字节。</translation>
    </message>
    <message>
        <source>Image: the file holds no firmware image (its image text is empty); there is nothing to flash.</source>
        <translation>映像：文件中没有固件映像（映像文本为空）；没有可刷写的内容。</translation>
    </message>
    <message>
        <source>Version: the version text has %lu characters; the ESC needs exactly 16.</source>
        <translation>版本：版本文本有 %lu 个字符；电调需要正好 16 个。</translation>
    </message>
    <message>
        <source>Version: the version text holds a zero byte at character %lu; the ESC needs 16 characters.</source>
        <translation>版本：版本文本第 %lu 个字符是零字节；电调需要 16 个字符。</translation>
    </message>
    <message>
        <source>A firmware download is running. Stopping it now can leave the ESC without working firmware.<byte value="xd"/>
Do you really want to exit?</source>
        <translation>正在下载固件。现在停止可能使电调没有可用的固件。<byte value="xd"/>
确定要退出吗？</translation>
    </message>
    <message>
        <source>Current Version:</source>
        <translation>当前版本：</translation>
    </message>
    <message>
        <source>Upgrade File:</source>
        <translation>升级文件：</translation>
    </message>
    <message>
        <source>Version of the Firmware:</source>
        <translation>固件版本：</translation>
    </message>
    <message>
        <source>Upgrade Status:</source>
        <translation>升级状态：</translation>
    </message>
    <message>
        <source>Specify the Upgrade File</source>
        <translation>指定升级文件</translation>
    </message>
    <message>
        <source>Browse ...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>unknown (download not completed)</source>
        <translation>未知（下载未完成）</translation>
    </message>
    <message>
        <source>The ESC&apos;s firmware may be incomplete: do not fly it. Keep it powered and press Start again with the same file.</source>
        <translation>电调的固件可能不完整：请勿用它飞行。保持通电，用同一文件再次按“开始”。</translation>
    </message>
    <message>
        <source>block %d of %d, %d%%</source>
        <translation>第 %d / %d 块，%d%%</translation>
    </message>
    <message>
        <source>, about %lld s left</source>
        <translation>，约剩 %lld s</translation>
    </message>
    <message>
        <source>, about %lld min %lld s left</source>
        <translation>，约剩 %lld 分 %lld 秒</translation>
    </message>
    <message>
        <source>low-cell</source>
        <translation>单节低压</translation>
    </message>
    <message>
        <source>over-temp</source>
        <translation>过温</translation>
    </message>
    <message>
        <source>current-spike</source>
        <translation>电流尖峰</translation>
    </message>
    <message>
        <source>rpm-drop</source>
        <translation>转速骤降</translation>
    </message>
    <message>
        <source>no-reading</source>
        <translation>无读数</translation>
    </message>
    <message>
        <source>Throttle (%)</source>
        <translation>油门 (%)</translation>
    </message>
    <message>
        <source>Time (s)</source>
        <translation>时间 (s)</translation>
    </message>
    <message>
        <source>Mean current (A)</source>
        <translation>平均电流 (A)</translation>
    </message>
    <message>
        <source>Max current (A)</source>
        <translation>最大电流 (A)</translation>
    </message>
    <message>
        <source>Mean power (W)</source>
        <translation>平均功率 (W)</translation>
    </message>
    <message>
        <source>Mean RPM</source>
        <translation>平均转速</translation>
    </message>
    <message>
        <source>Max temp (C)</source>
        <translation>最高温度 (C)</translation>
    </message>
    <message>
        <source>Mean cell (V)</source>
        <translation>平均单节电压 (V)</translation>
    </message>
    <message>
        <source>not reverse</source>
        <translation>不循环</translation>
    </message>
    <message>
        <source>reverse</source>
        <translation>循环</translation>
    </message>
    <message>
        <source>Motor RPM</source>
        <translation>电机转速</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>日期时间</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Duration (s)</source>
        <translation>时长 (s)</translation>
    </message>
    <message>
        <source>Rate (/s)</source>
        <translation>采样率 (/s)</translation>
    </message>
    <message>
        <source>Max.Current (A)</source>
        <translation>最大电流 (A)</translation>
    </message>
    <message>
        <source>Min.Voltage (V)</source>
        <translation>最低电压 (V)</translation>
    </message>
    <message>
        <source>Max.Temp. (C)</source>
        <translation>最高温度 (C)</translation>
    </message>
    <message>
        <source>Capacity (mAh)</source>
        <translation>容量 (mAh)</translation>
    </message>
    <message>
        <source>R (mOhm)</source>
        <translation>内阻 (mOhm)</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>备注</translation>
    </message>
    <message>
        <source>Steady (s)</source>
        <translation>平稳段 (s)</translation>
    </message>
    <message>
        <source>Kv (rpm/V)</source>
        <translation>Kv (rpm/V)</translation>
    </message>
    <message>
        <source>Rm (mOhm)</source>
        <translation>Rm (mOhm)</translation>
    </message>
    <message>
        <source>k (W/krpm^3)</source>
        <translation>k (W/krpm^3)</translation>
    </message>
    <message>
        <source>Eff. (%)</source>
        <translation>效率 (%)</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>警示</translation>
    </message>
    <message>
        <source>Flights</source>
        <translation>飞行次数</translation>
    </message>
    <message>
        <source>Total (mAh)</source>
        <translation>总计 (mAh)</translation>
    </message>
    <message>
        <source>Mean (mAh)</source>
        <translation>平均 (mAh)</translation>
    </message>
    <message>
        <source>First flight</source>
        <translation>首次飞行</translation>
    </message>
    <message>
        <source>Last flight</source>
        <translation>末次飞行</translation>
    </message>
    <message>
        <source>1.Welcome</source>
        <translation>1.欢迎</translation>
    </message>
    <message>
        <source>2.Parameter Setting</source>
        <translation>2.参数设置</translation>
    </message>
    <message>
        <source>3.Logger Configuration</source>
        <translation>3.记录仪配置</translation>
    </message>
    <message>
        <source>4.Show the Record</source>
        <translation>4.查看记录</translation>
    </message>
    <message>
        <source>5.Upgrade</source>
        <translation>5.固件升级</translation>
    </message>
    <message>
        <source>Event limits</source>
        <translation>事件阈值</translation>
    </message>
    <message>
        <source>Limits...</source>
        <translation>阈值...</translation>
    </message>
    <message>
        <source>No events.</source>
        <translation>没有事件。</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>电流</translation>
    </message>
    <message>
        <source>Throttle</source>
        <translation>油门</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>Reserve 1</source>
        <translation>备用 1</translation>
    </message>
    <message>
        <source>Reserve 2</source>
        <translation>备用 2</translation>
    </message>
    <message>
        <source>Reserve 3</source>
        <translation>备用 3</translation>
    </message>
    <message>
        <source>Y axis</source>
        <translation>Y 轴</translation>
    </message>
    <message>
        <source>Display Option</source>
        <translation>显示选项</translation>
    </message>
    <message>
        <source>The setting holds until Tavix closes, but %s could not be written: %s</source>
        <translation>此设置在 Tavix 关闭前有效，但无法写入 %s：%s</translation>
    </message>
    <message>
        <source>&amp;Align:</source>
        <translation>对齐(&amp;A)：</translation>
    </message>
    <message>
        <source>throttle first reaches %1 %</source>
        <translation>油门首次达到 %1 %</translation>
    </message>
    <message>
        <source>cursor A</source>
        <translation>光标 A</translation>
    </message>
    <message>
        <source>Align at cursor A</source>
        <translation>对齐到光标 A</translation>
    </message>
    <message>
        <source>Align %1 at cursor A</source>
        <translation>将 %1 对齐到光标 A</translation>
    </message>
    <message>
        <source>Remove from comparison</source>
        <translation>从对比中移除</translation>
    </message>
    <message>
        <source>Remove %1 from comparison</source>
        <translation>将 %1 从对比中移除</translation>
    </message>
    <message>
        <source>%1 (reference)</source>
        <translation>%1（基准）</translation>
    </message>
    <message>
        <source>Cursor A marks the reference&apos;s moment: place A on the same moment of each other record (Shift+click) and choose &quot;Align ... at cursor A&quot;.</source>
        <translation>光标 A 标记基准记录的时刻：在其他每条记录的同一时刻放置光标 A（Shift+单击），然后选择“将 ... 对齐到光标 A”。</translation>
    </message>
    <message>
        <source>%1: its moment at cursor A now stands on the reference&apos;s point at %2 s.</source>
        <translation>%1：其光标 A 处的时刻现已对齐到基准记录 %2 s 处。</translation>
    </message>
    <message>
        <source>The reference&apos;s point is now at %1 s; the records aligned at cursor A keep their moment on it.</source>
        <translation>基准点现在位于 %1 s；对齐到光标 A 的记录保持与它对齐。</translation>
    </message>
    <message>
        <source>Place cursor A first (Shift+click on the curves).</source>
        <translation>请先放置光标 A（在曲线上 Shift+单击）。</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>分布图</translation>
    </message>
    <message>
        <source>&amp;Map</source>
        <translation>分布图(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;X/Y</source>
        <translation>&amp;X/Y</translation>
    </message>
    <message>
        <source>&amp;Band width:</source>
        <translation>区间宽度(&amp;B)：</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>记录</translation>
    </message>
    <message>
        <source>Open a record to see where its motor spends the flight.</source>
        <translation>打开一条记录，查看其电机在飞行中的工作分布。</translation>
    </message>
    <message>
        <source>%1 has no throttle channel.</source>
        <translation>%1 没有油门通道。</translation>
    </message>
    <message>
        <source>Whole flight</source>
        <translation>整个飞行</translation>
    </message>
    <message>
        <source>Between cursors A and B</source>
        <translation>光标 A 与 B 之间</translation>
    </message>
    <message>
        <source>Logbook</source>
        <translation>飞行日志</translation>
    </message>
    <message>
        <source>Reading %1 of %2 record files...</source>
        <translation>正在读取第 %1 个记录文件（共 %2 个）...</translation>
    </message>
    <message>
        <source>%1 flights, %2 files could not be opened.</source>
        <translation>%1 次飞行，%2 个文件无法打开。</translation>
    </message>
    <message>
        <source>%1 flights.</source>
        <translation>%1 次飞行。</translation>
    </message>
    <message>
        <source>There are no record files (.dat) in this folder.</source>
        <translation>此文件夹中没有记录文件 (.dat)。</translation>
    </message>
    <message>
        <source>Folder of record files</source>
        <translation>记录文件所在文件夹</translation>
    </message>
    <message>
        <source>Open the 2 to 4 selected flights together; the topmost is the reference</source>
        <translation>同时打开选中的 2 到 4 次飞行；最上面的一次为基准</translation>
    </message>
    <message>
        <source>Select 2 to 4 flights that open to compare them.</source>
        <translation>请选择 2 到 4 次能打开的飞行进行对比。</translation>
    </message>
    <message>
        <source>Models</source>
        <translation>机型</translation>
    </message>
    <message>
        <source>Packs</source>
        <translation>电池</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Select two groups to compare the last flight before the change with the first after it.</source>
        <translation>选择两个分组，对比更改前的最后一次飞行与更改后的第一次飞行。</translation>
    </message>
    <message>
        <source>,  Sampling Rate :</source>
        <translation>，  采样率：</translation>
    </message>
    <message>
        <source>

Gear rate: %.2f
Pole number: %d
Note: %s</source>
        <translation>

齿轮比：%.2f
极数：%d
备注：%s</translation>
    </message>
    <message>
        <source>  pack %s</source>
        <translation>  电池 %s</translation>
    </message>
    <message>
        <source>Cell voltage down to %s V (limit %s V)</source>
        <translation>单节电压降至 %s V（下限 %s V）</translation>
    </message>
    <message>
        <source>Temperature up to %s C (limit %s C)</source>
        <translation>温度升至 %s ℃（上限 %s ℃）</translation>
    </message>
    <message>
        <source>Current up to %s A (limit %s A)</source>
        <translation>电流升至 %s A（上限 %s A）</translation>
    </message>
    <message>
        <source>Current burst to %s A, typical high current %s A</source>
        <translation>电流突增至 %s A，平时大电流为 %s A</translation>
    </message>
    <message>
        <source>RPM fell by %s %% while the throttle held: possible loss of sync</source>
        <translation>油门不变时转速下降 %s %%：可能失步</translation>
    </message>
    <message>
        <source>No %s reading for %s s</source>
        <translation>%s无读数，持续 %s 秒</translation>
    </message>
    <message>
        <source>temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>RPM</source>
        <translation>转速</translation>
    </message>
    <message>
        <source>not enough steady flight</source>
        <translation>平稳飞行不足</translation>
    </message>
    <message>
        <source>Kv down %s %%: magnets heat-damaged?</source>
        <translation>Kv 下降 %s %%：磁钢可能过热受损？</translation>
    </message>
    <message>
        <source>k up %s %%: propeller changed or damaged?</source>
        <translation>k 上升 %s %%：螺旋桨已更换或损坏？</translation>
    </message>
    <message>
        <source>k down %s %%: propeller changed or damaged?</source>
        <translation>k 下降 %s %%：螺旋桨已更换或损坏？</translation>
    </message>
    <message>
        <source>Rm up %s %%: windings or connections damaged?</source>
        <translation>Rm 上升 %s %%：绕组或连接可能受损？</translation>
    </message>
    <message>
        <source>2 cells</source>
        <translation>2 节</translation>
    </message>
    <message>
        <source>3 cells</source>
        <translation>3 节</translation>
    </message>
    <message>
        <source>4 cells</source>
        <translation>4 节</translation>
    </message>
    <message>
        <source>5 cells</source>
        <translation>5 节</translation>
    </message>
    <message>
        <source>6 cells</source>
        <translation>6 节</translation>
    </message>
    <message>
        <source>7 cells</source>
        <translation>7 节</translation>
    </message>
    <message>
        <source>8 cells</source>
        <translation>8 节</translation>
    </message>
    <message>
        <source>9 cells</source>
        <translation>9 节</translation>
    </message>
    <message>
        <source>10 cells</source>
        <translation>10 节</translation>
    </message>
    <message>
        <source>11 cells</source>
        <translation>11 节</translation>
    </message>
    <message>
        <source>12 cells</source>
        <translation>12 节</translation>
    </message>
    <message>
        <source>13 cells</source>
        <translation>13 节</translation>
    </message>
    <message>
        <source>14 cells</source>
        <translation>14 节</translation>
    </message>
    <message>
        <source>15 cells</source>
        <translation>15 节</translation>
    </message>
    <message>
        <source>16 cells</source>
        <translation>16 节</translation>
    </message>
    <message>
        <source>17 cells</source>
        <translation>17 节</translation>
    </message>
    <message>
        <source>18 cells</source>
        <translation>18 节</translation>
    </message>
    <message>
        <source>19 cells</source>
        <translation>19 节</translation>
    </message>
    <message>
        <source>20 cells</source>
        <translation>20 节</translation>
    </message>
    <message>
        <source>&lt;font color=%s&gt;VOL: %sV&lt;/font&gt;, &lt;font color=%s&gt;CUR: %sA&lt;/font&gt;, &lt;font color=%s&gt;Thr: %s%%&lt;/font&gt;
&lt;font color=%s&gt;Temp: %s%s&lt;/font&gt;, &lt;font color=%s&gt;RPM: %s&lt;/font&gt;</source>
        <translation>&lt;font color=%s&gt;电压 %sV&lt;/font&gt;，&lt;font color=%s&gt;电流 %sA&lt;/font&gt;，&lt;font color=%s&gt;油门 %s%%&lt;/font&gt;
&lt;font color=%s&gt;温度 %s%s&lt;/font&gt;，&lt;font color=%s&gt;转速 %s&lt;/font&gt;</translation>
    </message>
    <message>
        <source>Current Value: Vol: %sV, Cur: %sA, Thr:%s%%, Temp:%s%s, RPM:%s</source>
        <translation>当前值：电压 %sV，电流 %sA，油门 %s%%，温度 %s%s，转速 %s</translation>
    </message>
    <message>
        <source>VOL</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>Vol</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>CUR</source>
        <translation>电流</translation>
    </message>
    <message>
        <source>Cur</source>
        <translation>电流</translation>
    </message>
    <message>
        <source>Thr</source>
        <translation>油门</translation>
    </message>
    <message>
        <source>Temp</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>Current Value:</source>
        <translation>当前值：</translation>
    </message>
    <message>
        <source>Pwr</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>, &lt;font color=%s&gt;Pwr: %sW&lt;/font&gt;</source>
        <translation>，&lt;font color=%s&gt;功率 %sW&lt;/font&gt;</translation>
    </message>
    <message>
        <source>, Pwr:%sW</source>
        <translation>，功率 %sW</translation>
    </message>
    <message>
        <source>its extension is damaged: %s</source>
        <translation>扩展部分已损坏：%s</translation>
    </message>
    <message>
        <source>unknown value %s</source>
        <translation>未知值 %s</translation>
    </message>
    <message>
        <source>Offset %s (%s): %s -&gt; %s</source>
        <translation>偏移 %s（%s）：%s → %s</translation>
    </message>
    <message>
        <source>%s %s -&gt; %s</source>
        <translation>%s%s → %s</translation>
    </message>
    <message>
        <source>Tavix Version 4.0</source>
        <translation>Tavix 版本 4.0</translation>
    </message>
    <message>
        <source>read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>before-write</source>
        <translation>写入前</translation>
    </message>
    <message>
        <source>after-write</source>
        <translation>写入后</translation>
    </message>
    <message>
        <source>before-upgrade</source>
        <translation>升级前</translation>
    </message>
    <message>
        <source>restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>The ESC on the port is now %s, not of the %s series this page is for. Nothing of it is shown here: its own page reads it.</source>
        <translation>端口上的电调现在是 %s，不属于本页所对应的 %s 系列。本页不显示它的任何内容，由它自己系列的页面读取。</translation>
    </message>
    <message>
        <source>Not one byte came back on %s. Check that the ESC is powered (its battery connected), that the cable is firmly in, and that this is the adapter&apos;s port.</source>
        <translation>%s 上没有收到任何字节。请确认电调已通电（已接电池）、数据线已插牢，并且这是适配器所在的端口。</translation>
    </message>
    <message>
        <source>The port %s went away while the device was answering: it was unplugged or lost its power. Plug it in again, then start again.</source>
        <translation>设备应答期间端口 %s 消失了：设备被拔出或断电。请重新插好，然后重新开始。</translation>
    </message>
    <message>
        <source>Whether the ESC took the new values is not known: the page still shows the values sent. Before flying, read the ESC again and check every value.</source>
        <translation>不知道电调是否已接受新参数：本页显示的仍是发送的值。飞行前请重新读取电调并核对每一项。</translation>
    </message>
    <message>
        <source>Nothing was written: the device did not answer the read that comes before every write.</source>
        <translation>没有写入任何内容：设备没有应答每次写入前的读取。</translation>
    </message>
    <message>
        <source>Whether the logger took the new settings is not known: read it again before relying on them.</source>
        <translation>不知道记录仪是否已接受新设置：依赖这些设置前请重新读取。</translation>
    </message>
    <message>
        <source>Whether the flights were cleared is not known. Open Device again: the flight count tells, and flights still there can be uploaded.</source>
        <translation>不知道飞行记录是否已清除。请重新打开设备：飞行次数会说明情况，仍在的飞行记录可以上传。</translation>
    </message>
    <message>
        <source>  flight %d: not read whole before the line failed; upload again to get it
</source>
        <translation>  飞行 %d：连接中断前未完整读取；请重新上传以获取
</translation>
    </message>
    <message>
        <source>Flight(s) %s did not come whole: nothing of them was written. The flights read whole were written (see the summary). The logger still holds every flight: upload again, and the flights written now count as stored.</source>
        <translation>飞行 %s 未完整收到：其任何部分都没有写入。已完整读取的飞行已写入（见汇总）。记录仪仍保存着所有飞行：请重新上传，本次已写入的飞行会被视为已保存。</translation>
    </message>
    <message>
        <source>The ESC&apos;s firmware may be incomplete: do not fly it. Keep it powered and run the same flash command again with the same file.</source>
        <translation>电调的固件可能不完整：请勿用它飞行。保持通电，用同一文件再次运行同一刷写命令。</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>Present:</source>
        <translation>现有端口：</translation>
    </message>
    <message>
        <source>Kind:</source>
        <translation>类型：</translation>
    </message>
    <message>
        <source>Access:</source>
        <translation>访问权限：</translation>
    </message>
    <message>
        <source>Held by:</source>
        <translation>占用者：</translation>
    </message>
    <message>
        <source>Lock file:</source>
        <translation>锁文件：</translation>
    </message>
    <message>
        <source>Lock files:</source>
        <translation>锁文件：</translation>
    </message>
    <message>
        <source>demo, the built-in simulated device</source>
        <translation>demo，内置的模拟设备</translation>
    </message>
    <message>
        <source>%s: not found</source>
        <translation>%s：未找到</translation>
    </message>
    <message>
        <source>no serial ports (is the adapter plugged in?)</source>
        <translation>没有串口（适配器插好了吗？）</translation>
    </message>
    <message>
        <source>these serial ports:</source>
        <translation>以下串口：</translation>
    </message>
    <message>
        <source>not a character device, so not a serial port</source>
        <translation>不是字符设备，因此不是串口</translation>
    </message>
    <message>
        <source>character device</source>
        <translation>字符设备</translation>
    </message>
    <message>
        <source>character device: %s</source>
        <translation>字符设备：%s</translation>
    </message>
    <message>
        <source>by %s</source>
        <translation>制造商 %s</translation>
    </message>
    <message>
        <source>read and write allowed (%s)</source>
        <translation>允许读写（%s）</translation>
    </message>
    <message>
        <source>no: the port belongs to group %s (%s); %s was added to it after this login</source>
        <translation>否：端口属于用户组 %s（%s）；%s 是在本次登录之后才加入该组的</translation>
    </message>
    <message>
        <source>A new login is needed: log out and in again (or run: newgrp %s)</source>
        <translation>需要重新登录：请注销后再登录（或运行：newgrp %s）</translation>
    </message>
    <message>
        <source>no: group %s may use the port (%s) and %s is in it, yet access is refused</source>
        <translation>否：用户组 %s 可以使用该端口（%s），%s 也在该组中，但访问仍被拒绝</translation>
    </message>
    <message>
        <source>An access control list or a security module (SELinux, AppArmor) may deny it: see getfacl %s</source>
        <translation>可能是访问控制列表或安全模块（SELinux、AppArmor）拒绝了访问：请查看 getfacl %s</translation>
    </message>
    <message>
        <source>no: the port belongs to group %s (%s) and %s is not in it</source>
        <translation>否：端口属于用户组 %s（%s），而 %s 不在该组中</translation>
    </message>
    <message>
        <source>Join it with: sudo usermod -aG %s %s</source>
        <translation>加入该组：sudo usermod -aG %s %s</translation>
    </message>
    <message>
        <source>then log out and in again: a new login is needed</source>
        <translation>然后注销并重新登录：需要重新登录才生效</translation>
    </message>
    <message>
        <source>no: the port allows only its owner (%s, group %s)</source>
        <translation>否：该端口只允许其所有者使用（%s，用户组 %s）</translation>
    </message>
    <message>
        <source>A udev rule can give it to a group: KERNEL==&quot;%s&quot;, GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot;</source>
        <translation>可用一条 udev 规则把它交给一个用户组：KERNEL==&quot;%s&quot;, GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot;</translation>
    </message>
    <message>
        <source>no other process</source>
        <translation>没有其他进程</translation>
    </message>
    <message>
        <source>%s processes of other users were not looked into (run as root to see them)</source>
        <translation>未检查其他用户的 %s 个进程（以 root 运行可查看）</translation>
    </message>
    <message>
        <source>process %s (%s)</source>
        <translation>进程 %s（%s）</translation>
    </message>
    <message>
        <source>%s of %s</source>
        <translation>%s，属于%s</translation>
    </message>
    <message>
        <source>%s is stale (%s); remove it with: sudo rm %s</source>
        <translation>%s 已失效（%s）；删除命令：sudo rm %s</translation>
    </message>
    <message>
        <source>process %s is gone</source>
        <translation>进程 %s 已不存在</translation>
    </message>
    <message>
        <source>no process id in it</source>
        <translation>其中没有进程号</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>not running</source>
        <translation>未运行</translation>
    </message>
    <message>
        <source>running: it opens new serial adapters to look for modems and may hold this one for a while</source>
        <translation>正在运行：它会打开新插入的串口适配器查找调制解调器，可能会占用本适配器一段时间</translation>
    </message>
    <message>
        <source>To make it leave the adapter alone, put this line in %s:</source>
        <translation>要让它不再碰这个适配器，请把下面这一行写入 %s：</translation>
    </message>
    <message>
        <source>then run: sudo udevadm control --reload-rules, and plug the adapter in again</source>
        <translation>然后运行：sudo udevadm control --reload-rules，并重新插拔适配器</translation>
    </message>
    <message>
        <source>running: it takes some USB serial adapters (CP210x, CH341, FTDI) for braille displays</source>
        <translation>正在运行：它会把某些 USB 串口适配器（CP210x、CH341、FTDI）当作盲文显示器占用</translation>
    </message>
    <message>
        <source>Without a braille display: sudo systemctl mask --now brltty-udev.service brltty.service</source>
        <translation>如果没有盲文显示器：sudo systemctl mask --now brltty-udev.service brltty.service</translation>
    </message>
    <message>
        <source>no permission: log in again to use group %s</source>
        <translation>没有权限：请重新登录以使用用户组 %s</translation>
    </message>
    <message>
        <source>no permission: refused although %s is in group %s</source>
        <translation>没有权限：%s 虽在用户组 %s 中，访问仍被拒绝</translation>
    </message>
    <message>
        <source>no permission: join group %s</source>
        <translation>没有权限：请加入用户组 %s</translation>
    </message>
    <message>
        <source>no permission: %s for group %s</source>
        <translation>没有权限：%s，用户组 %s</translation>
    </message>
    <message>
        <source>perhaps in use by a process of another user (not visible without root)</source>
        <translation>可能被其他用户的进程占用（不以 root 运行看不到）</translation>
    </message>
    <message>
        <source>in use by %s</source>
        <translation>被%s占用</translation>
    </message>
    <message>
        <source>locked by %s</source>
        <translation>被%s锁定</translation>
    </message>
    <message>
        <source>not found; no serial port is present</source>
        <translation>未找到；没有任何串口</translation>
    </message>
    <message>
        <source>not found; present: %s</source>
        <translation>未找到；现有串口：%s</translation>
    </message>
    <message>
        <source>not a serial device</source>
        <translation>不是串口设备</translation>
    </message>
    <message>
        <source>Asking the device who it is...</source>
        <translation>正在识别设备……</translation>
    </message>
</context>
<context>
    <name>tavix::CAboutDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>tavix::CComConfigDlg</name>
    <message>
        <source>&amp;Serial ports present:</source>
        <translation>现有串口(&amp;S)：</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>制造商</translation>
    </message>
    <message>
        <source>USB id</source>
        <translation>USB ID</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>This run uses --port %1 instead.</source>
        <translation>本次运行改用 --port %1。</translation>
    </message>
    <message>
        <source>&amp;Diagnose</source>
        <translation>诊断(&amp;D)</translation>
    </message>
    <message>
        <source>Tell why the chosen port does or does not work</source>
        <translation>说明所选端口能否使用及原因</translation>
    </message>
    <message>
        <source>No serial ports found: plug the adapter in</source>
        <translation>未找到串口：请插上适配器</translation>
    </message>
    <message>
        <source>In use: the port the device pages open</source>
        <translation>使用中：设备页面打开的端口</translation>
    </message>
    <message>
        <source>Diagnose %1</source>
        <translation>诊断 %1</translation>
    </message>
    <message>
        <source>
Nothing on this machine keeps the port from opening. If the device still does not answer, check the cable and that the device has power;
tavix-cli doctor --port %1 also opens the port and identifies the device.</source>
        <translation>
本机上没有任何东西阻止打开该端口。如果设备仍无应答，请检查数据线和设备供电；
tavix-cli doctor --port %1 也会打开端口并识别设备。</translation>
    </message>
    <message>
        <source>%1  (present)</source>
        <translation>%1  （存在）</translation>
    </message>
    <message>
        <source>%1  (not found)</source>
        <translation>%1  （未找到）</translation>
    </message>
    <message>
        <source>No port chosen (config.ini holds %1)</source>
        <translation>未选择端口（config.ini 中为 %1）</translation>
    </message>
</context>
<context>
    <name>tavix::CFlightListDlg</name>
    <message>
        <source>Upload Record Data</source>
        <translation>上传记录数据</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>Flight</source>
        <translation>飞行</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>采样点</translation>
    </message>
    <message>
        <source>Duration (s)</source>
        <translation>时长 (s)</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Pack</source>
        <translation>电池</translation>
    </message>
    <message>
        <source>The battery pack this flight was flown on</source>
        <translation>本次飞行所用的电池</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新的(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;All</source>
        <translation>全部(&amp;A)</translation>
    </message>
    <message>
        <source>N&amp;one</source>
        <translation>全不选(&amp;O)</translation>
    </message>
    <message>
        <source>Tick the flights no record file holds yet</source>
        <translation>勾选尚无记录文件的飞行</translation>
    </message>
    <message>
        <source>Tick every flight that can be written</source>
        <translation>勾选所有可写入的飞行</translation>
    </message>
    <message>
        <source>&amp;Upload</source>
        <translation>上传(&amp;U)</translation>
    </message>
    <message>
        <source>No flight ticked: nothing will be read.</source>
        <translation>没有勾选飞行：不会读取任何数据。</translation>
    </message>
    <message numerus="yes">
        <source>%n flight(s) to upload</source>
        <translation>
            <numerusform>%n 次飞行待上传</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tavix::CLogbookDlg</name>
    <message>
        <source>&amp;Folder:</source>
        <translation>文件夹(&amp;F)：</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>浏览(&amp;B)...</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>重新载入(&amp;R)</translation>
    </message>
    <message>
        <source>The flights gathered by the pack their note names (&quot;Pack: NAME&quot;)</source>
        <translation>按备注中注明的电池（“Pack: 名称”）归类的飞行</translation>
    </message>
    <message>
        <source>Each flight&apos;s motor and propeller, by the model its note names (&quot;Model: NAME&quot;)</source>
        <translation>按备注中注明的机型（“Model: 名称”）列出每次飞行的电机和螺旋桨</translation>
    </message>
    <message>
        <source>The flights in the order flown, grouped by the ESC settings they flew with, and what each change did</source>
        <translation>按飞行顺序、以所用电调设置分组的飞行，以及每次更改的效果</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Compare</source>
        <translation>对比(&amp;C)</translation>
    </message>
</context>
<context>
    <name>tavix::CMainFrame</name>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>Open an existing record file</source>
        <translation>打开已有的记录文件</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save the record</source>
        <translation>保存记录</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Save the record under a new name</source>
        <translation>以新名称保存记录</translation>
    </message>
    <message>
        <source>Save As &amp;JPG</source>
        <translation>另存为 JPG(&amp;J)</translation>
    </message>
    <message>
        <source>Save the shown curves as an image</source>
        <translation>将显示的曲线保存为图像</translation>
    </message>
    <message>
        <source>Save As &amp;CSV</source>
        <translation>另存为 CSV(&amp;C)</translation>
    </message>
    <message>
        <source>Save the record as CSV text</source>
        <translation>将记录保存为 CSV 文本</translation>
    </message>
    <message>
        <source>Co&amp;mpare with...</source>
        <translation>与…对比(&amp;M)...</translation>
    </message>
    <message>
        <source>Open record files beside the one shown to compare them</source>
        <translation>打开其他记录文件与当前记录对比</translation>
    </message>
    <message>
        <source>&amp;Logbook...</source>
        <translation>飞行日志(&amp;L)...</translation>
    </message>
    <message>
        <source>List the record files of a folder and open one</source>
        <translation>列出文件夹中的记录文件并打开其中一个</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation>退出程序</translation>
    </message>
    <message>
        <source>&amp;About Tavix...</source>
        <translation>关于 Tavix(&amp;A)...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>显示程序信息、版本号和版权</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>下一窗格</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>上一窗格</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Remove from comparison</source>
        <translation>从对比中移除(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>显示或隐藏工具栏</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>显示或隐藏状态栏</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>跟随系统(&amp;S)</translation>
    </message>
    <message>
        <source>The language you chose is used from the next start of Tavix.</source>
        <translation>所选语言将在下次启动 Tavix 时生效。</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
</context>
<context>
    <name>tavix::CMyProgressDlg</name>
    <message>
        <source>Esc stops the upload</source>
        <translation>按 Esc 停止上传</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>tavix::CTavixView</name>
    <message>
        <source>The opened device&apos;s description appears here.</source>
        <translation>已打开设备的描述显示在这里。</translation>
    </message>
    <message>
        <source>Note kept with the record</source>
        <translation>随记录保存的备注</translation>
    </message>
    <message>
        <source>battery name</source>
        <translation>电池名称</translation>
    </message>
    <message>
        <source>Uploaded flights get the note&apos;s first line &quot;Pack: NAME&quot;</source>
        <translation>上传的飞行在备注首行记为“Pack: 名称”</translation>
    </message>
    <message>
        <source>Pack :</source>
        <translation>电池：</translation>
    </message>
    <message>
        <source>model name</source>
        <translation>机型名称</translation>
    </message>
    <message>
        <source>Uploaded flights get the note line &quot;Model: NAME&quot;</source>
        <translation>上传的飞行在备注中记为一行“Model: 名称”</translation>
    </message>
    <message>
        <source>Model :</source>
        <translation>机型：</translation>
    </message>
    <message>
        <source>Device connected</source>
        <translation>设备已连接</translation>
    </message>
    <message>
        <source>No device connected</source>
        <translation>未连接设备</translation>
    </message>
</context>
<context>
    <name>tavix::CUpgradeDlg</name>
    <message>
        <source>ESC connected</source>
        <translation>电调已连接</translation>
    </message>
    <message>
        <source>No ESC connected</source>
        <translation>未连接电调</translation>
    </message>
</context>
<context>
    <name>tavix::ChannelControls</name>
    <message>
        <source>%1 on the Y axis</source>
        <translation>Y 轴显示%1</translation>
    </message>
    <message>
        <source>Colour of %1</source>
        <translation>%1的颜色</translation>
    </message>
</context>
<context>
    <name>tavix::ComparisonPanel</name>
    <message>
        <source>The throttle level each record is aligned at</source>
        <translation>各记录对齐所用的油门值</translation>
    </message>
    <message>
        <source>Throttle level</source>
        <translation>油门值</translation>
    </message>
    <message>
        <source>Align a record at the moment cursor A marks</source>
        <translation>将记录对齐到光标 A 标记的时刻</translation>
    </message>
    <message>
        <source>Difference table</source>
        <translation>差值表</translation>
    </message>
    <message>
        <source>The throttle never reached the level: aligned at the start</source>
        <translation>油门从未达到该值：按起点对齐</translation>
    </message>
</context>
<context>
    <name>tavix::EscBatchDlg</name>
    <message>
        <source>ESC</source>
        <translation>电调</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Series</source>
        <translation>系列</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Not taken</source>
        <translation>未生效</translation>
    </message>
    <message>
        <source>writing...</source>
        <translation>写入中...</translation>
    </message>
    <message>
        <source>Pick the settings and the number of ESCs, then press Start.</source>
        <translation>选择设置和电调数量，然后按“开始”。</translation>
    </message>
</context>
<context>
    <name>tavix::EscHistoryDlg</name>
    <message>
        <source>Parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>On the page</source>
        <translation>本页</translation>
    </message>
    <message>
        <source>In the snapshot</source>
        <translation>快照中</translation>
    </message>
    <message>
        <source>ESC Settings History</source>
        <translation>电调设置历史</translation>
    </message>
    <message>
        <source>No snapshot of this series has been kept yet (%1).</source>
        <translation>尚未保存该系列的任何快照（%1）。</translation>
    </message>
    <message>
        <source>Snapshots are kept in %1.</source>
        <translation>快照保存在 %1。</translation>
    </message>
</context>
<context>
    <name>tavix::EscPage</name>
    <message>
        <source>ESC connected</source>
        <translation>电调已连接</translation>
    </message>
    <message>
        <source>No ESC connected</source>
        <translation>未连接电调</translation>
    </message>
</context>
<context>
    <name>tavix::EventListPanel</name>
    <message>
        <source>The lowest voltage per cell, the highest temperature and current</source>
        <translation>最低单节电压、最高温度和最大电流</translation>
    </message>
    <message>
        <source>Time (s)</source>
        <translation>时间 (s)</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>类型</translation>
    </message>
</context>
<context>
    <name>tavix::FlightMapDlg</name>
    <message>
        <source>&amp;X:</source>
        <translation>&amp;X：</translation>
    </message>
    <message>
        <source>&amp;Y:</source>
        <translation>&amp;Y：</translation>
    </message>
</context>
<context>
    <name>tavix::LogbookTableModel</name>
    <message>
        <source>Worst: %1</source>
        <translation>最差：%1</translation>
    </message>
</context>
<context>
    <name>tavix::ModelsView</name>
    <message>
        <source>Kv (rpm/V)</source>
        <translation>Kv (rpm/V)</translation>
    </message>
    <message>
        <source>Rm (mOhm)</source>
        <translation>Rm (mOhm)</translation>
    </message>
    <message>
        <source>Propeller k (W/krpm^3)</source>
        <translation>螺旋桨 k (W/krpm^3)</translation>
    </message>
</context>
<context>
    <name>tavix::PacksView</name>
    <message>
        <source>mAh per flight</source>
        <translation>每次飞行 mAh</translation>
    </message>
    <message>
        <source>Lowest V/cell</source>
        <translation>最低单节电压</translation>
    </message>
    <message>
        <source>Resistance (mOhm)</source>
        <translation>内阻 (mOhm)</translation>
    </message>
</context>
<context>
    <name>tavix::RecentFilesMenu</name>
    <message>
        <source>Recent File</source>
        <translation>最近的文件</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>打开 %1</translation>
    </message>
</context>
<context>
    <name>tavix::RecordPage</name>
    <message>
        <source>Save the record page as an image</source>
        <translation>将记录页保存为图像</translation>
    </message>
    <message>
        <source>&amp;Map...</source>
        <translation>分布图(&amp;M)...</translation>
    </message>
    <message>
        <source>Where the motor spends the flight: time and load per throttle band, and any quantity against another</source>
        <translation>电机在飞行中的工作分布：各油门区间的时间和负载，以及任意两个量的对照</translation>
    </message>
    <message>
        <source>This record</source>
        <translation>本记录</translation>
    </message>
    <message>
        <source>Stac&amp;ked</source>
        <translation>分层(&amp;K)</translation>
    </message>
    <message>
        <source>One plot per curve, one above the other over one time axis; off: all curves on one plot</source>
        <translation>每条曲线一个图，上下排列，共用一条时间轴；关闭时所有曲线画在同一个图上</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Plots</source>
        <translation>图表</translation>
    </message>
    <message>
        <source>The curves the stacked layout plots (the power while its curve is shown)</source>
        <translation>分层布局所画的曲线（显示功率曲线时包括功率）</translation>
    </message>
</context>
<context>
    <name>tavix::SettingsGroupsView</name>
    <message>
        <source>Group</source>
        <translation>分组</translation>
    </message>
    <message>
        <source>Flights</source>
        <translation>飞行次数</translation>
    </message>
    <message>
        <source>First</source>
        <translation>首次</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>末次</translation>
    </message>
    <message>
        <source>Duration (s)</source>
        <translation>时长 (s)</translation>
    </message>
    <message>
        <source>mAh</source>
        <translation>mAh</translation>
    </message>
    <message>
        <source>Max Temp (C)</source>
        <translation>最高温度 (C)</translation>
    </message>
    <message>
        <source>Peak Current (A)</source>
        <translation>峰值电流 (A)</translation>
    </message>
    <message>
        <source>Changed</source>
        <translation>更改</translation>
    </message>
    <message>
        <source>&amp;Compare</source>
        <translation>对比(&amp;C)</translation>
    </message>
</context>
<context>
    <name>tavix::TrendPlot</name>
    <message>
        <source>no values</source>
        <translation>无数值</translation>
    </message>
</context>
<context>
    <name>tavix::XYPlotView</name>
    <message>
        <source>X/Y plot</source>
        <translation>X/Y 图</translation>
    </message>
    <message>
        <source>time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>No samples hold both quantities in the chosen span.</source>
        <translation>所选区间内没有同时含有这两个量的采样点。</translation>
    </message>
</context>
<context>
    <name>tavix::explain</name>
    <message>
        <source>Pack voltage at which the ESC cuts or reduces power to protect the battery; Auto counts the cells at power-up.</source>
        <translation>电调为保护电池而切断或降低功率时的电池电压；“自动”在上电时识别电芯节数。</translation>
    </message>
    <message>
        <source>Voltage per cell at which the low-voltage cut-off acts: higher spares the pack, lower gives longer runs.</source>
        <translation>低压保护起作用时的单节电压：设高些更保护电池，设低些飞得更久。</translation>
    </message>
    <message>
        <source>Number of cells the low-voltage cut-off counts with (times the voltage per cell); Auto counts them at power-up.</source>
        <translation>低压保护计算所用的电芯节数（乘以单节电压）；“自动”在上电时识别。</translation>
    </message>
    <message>
        <source>How readily the ESC cuts power back when the current gets too high; Close turns the protection off.</source>
        <translation>电流过大时电调降低功率的灵敏程度；“关闭”即关闭此保护。</translation>
    </message>
    <message>
        <source>What the motor does when the throttle is closed: spin freely, or brake softly or hard (for folding propellers).</source>
        <translation>收油门时电机的动作：自由滑行，或软刹车、硬刹车（用于折叠桨）。</translation>
    </message>
    <message>
        <source>Motor timing: Low runs cooler and suits many-pole motors, High gives more RPM and power but more heat; Auto lets the ESC choose.</source>
        <translation>电机进角：低进角发热小，适合多极电机；高进角转速和功率更高但发热更大；“自动”由电调选择。</translation>
    </message>
    <message>
        <source>At the low-voltage limit, Soft Cutoff reduces power gradually so you can land; Hard Cutoff stops the motor at once.</source>
        <translation>到达低压限值时，软降功率逐步降低功率，便于降落；硬切断立即停转电机。</translation>
    </message>
    <message>
        <source>How quickly the motor spins up from standstill: soft spares gears and propellers, fast responds at once.</source>
        <translation>电机从静止加速的快慢：柔和启动保护齿轮和螺旋桨，快速启动响应迅速。</translation>
    </message>
    <message>
        <source>Holds the motor speed steady against load (helicopter head speed); Low or High picks the speed range it governs.</source>
        <translation>在负载变化时保持电机转速稳定（直升机主旋翼转速）；低或高选择定速的转速范围。</translation>
    </message>
    <message>
        <source>Switching frequency of the ESC: higher runs smoother and suits low-inductance motors, lower keeps the ESC cooler.</source>
        <translation>电调的开关频率：频率高运转更平顺，适合低电感电机；频率低电调温度更低。</translation>
    </message>
    <message>
        <source>Cuts power when the ESC gets hotter than the limit, to save it; Close turns the protection off.</source>
        <translation>电调温度超过限值时切断功率以保护电调；“关闭”即关闭此保护。</translation>
    </message>
    <message>
        <source>Dead band around the throttle&apos;s neutral in which the motor stays off; wider forgives a transmitter that drifts.</source>
        <translation>油门中点附近电机不转动的死区；越宽越能容忍遥控器的漂移。</translation>
    </message>
    <message>
        <source>Which ways the car may drive: forward with brake only, or with reverse after a stop or at once.</source>
        <translation>车辆的行驶方式：只能前进加刹车，或带倒车（停稳后倒车或直接倒车）。</translation>
    </message>
    <message>
        <source>Brake the ESC applies by itself at neutral throttle, like engine braking.</source>
        <translation>油门回中时电调自动施加的刹车，类似发动机制动。</translation>
    </message>
    <message>
        <source>Strongest brake force, at full brake.</source>
        <translation>满刹车时的最大刹车力度。</translation>
    </message>
    <message>
        <source>Power available in reverse, as part of full power.</source>
        <translation>倒车时可用的功率，占全功率的比例。</translation>
    </message>
    <message>
        <source>The motor connected: brushless, or a brushed motor (with or without brake).</source>
        <translation>所接电机：无刷电机，或有刷电机（带或不带刹车）。</translation>
    </message>
    <message>
        <source>How often per second the anti-lock brake lets go and grips again while braking.</source>
        <translation>刹车时防抱死系统每秒松开并重新刹住的次数。</translation>
    </message>
    <message>
        <source>A correction to the ESC&apos;s own temperature reading, 0-255; leave it at 0 unless told otherwise.</source>
        <translation>对电调自身温度读数的修正，0-255；除非另有说明，请保持为 0。</translation>
    </message>
    <message>
        <source>Throttle travel the ESC learned from the transmitter; set by calibrating with the transmitter, shown only.</source>
        <translation>电调从遥控器学到的油门行程；通过与遥控器校准设置，此处仅显示。</translation>
    </message>
    <message>
        <source>Throttle travel from neutral to full forward, learned from the transmitter; shown only.</source>
        <translation>从中点到全油门前进的油门行程，由遥控器学习得到；仅显示。</translation>
    </message>
    <message>
        <source>Throttle travel from neutral to full reverse, learned from the transmitter; shown only.</source>
        <translation>从中点到全油门倒车的油门行程，由遥控器学习得到；仅显示。</translation>
    </message>
    <message>
        <source>Throttle pulse the ESC takes as neutral, learned from the transmitter; shown only.</source>
        <translation>电调视为中点的油门脉宽，由遥控器学习得到；仅显示。</translation>
    </message>
</context>
</TS>
