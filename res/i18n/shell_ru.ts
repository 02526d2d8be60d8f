<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="zh_CN">
<context>
    <name>MainObject</name>
    <message>
        <source>初始化应用程序 ...</source>
        <translation>Инициализация приложения...</translation>
    </message>
    <message>
        <source>初始化主界面 ...</source>
        <translation>Инициализация главного интерфейса...</translation>
    </message>
    <message>
        <source>加载界面 ...</source>
        <translation>Загрузка интерфейса …</translation>
    </message>
    <message>
        <source>加载完毕！</source>
        <translation>Загрузка завершена!</translation>
    </message>
    <message>
        <source>control</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>输入源(尝试拖动？)</source>
        <translation>Источник ввода</translation>
    </message>
    <message>
        <source>输入 1</source>
        <translation>ввод 1</translation>
    </message>
    <message>
        <source>输入 2</source>
        <translation>ввод 2</translation>
    </message>
    <message>
        <source>输入 3</source>
        <translation>ввод 3</translation>
    </message>
    <message>
        <source>输入 4</source>
        <translation>ввод 4</translation>
    </message>
    <message>
        <source>串口连接</source>
        <translation>Настройки порта</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>Пинг RS232</translation>
    </message>
    <message>
        <source>拼接模式</source>
        <translation>Режим видеостены</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Ряды</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Столбцы</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>连接设置</source>
        <translation>Настройки соединения</translation>
    </message>
    <message>
        <source>连接服务器</source>
        <translation>подключиться к серверу</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>откр</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>закрытие</translation>
    </message>
    <message>
        <source>语言：</source>
        <translation>Язык:</translation>
    </message>
    <message>
        <source>保存所有配置</source>
        <translation>Сохранить все настройки</translation>
    </message>
    <message>
        <source>测试速率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MCUK5 复位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测试MyMessagebox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前窗口：</source>
        <translation>Текущее окно:</translation>
    </message>
    <message>
        <source>窗口1</source>
        <translation>окно 1</translation>
    </message>
    <message>
        <source>窗口2</source>
        <translation>окно 2</translation>
    </message>
    <message>
        <source>窗口3</source>
        <translation>окно 3</translation>
    </message>
    <message>
        <source>窗口4</source>
        <translation>окно 4</translation>
    </message>
    <message>
        <source>视图调整</source>
        <translation>Регулировка вида</translation>
    </message>
    <message>
        <source>画面调整</source>
        <translation>Регулировка изображения</translation>
    </message>
    <message>
        <source>窗口调整</source>
        <translation>Настройка окна</translation>
    </message>
    <message>
        <source>图像效果</source>
        <translation>Эффекты изображения</translation>
    </message>
    <message>
        <source>开发者功能</source>
        <translation>функция разработчика</translation>
    </message>
    <message>
        <source>坐标</source>
        <translation>Координаты</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>裁剪</source>
        <translation>обрезка</translation>
    </message>
    <message>
        <source>起始：</source>
        <translation>Начало:</translation>
    </message>
    <message>
        <source>结束：</source>
        <translation>Конец:</translation>
    </message>
    <message>
        <source>亮度</source>
        <translation>Яркость</translation>
    </message>
    <message>
        <source>对比度</source>
        <translation>Контраст</translation>
    </message>
    <message>
        <source>饱和度</source>
        <translation>Насыщенность</translation>
    </message>
    <message>
        <source>色温</source>
        <translation>Цветовая
температура</translation>
    </message>
    <message>
        <source>色相</source>
        <translation>Оттенок</translation>
    </message>
    <message>
        <source>水平锐度</source>
        <translation>Гор. резкость</translation>
    </message>
    <message>
        <source>垂直锐度</source>
        <translation>Верт. резкость</translation>
    </message>
    <message>
        <source>复位</source>
        <translation>Сброс</translation>
    </message>
    <message>
        <source>显示窗口</source>
        <translation>Окно отображения</translation>
    </message>
    <message>
        <source>窗口冻结</source>
        <translation>Заморозка окна</translation>
    </message>
    <message>
        <source>窗口纯色填充</source>
        <translation>Заливка окна
сплошным цветом</translation>
    </message>
    <message>
        <source>调
色
板</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窗口层级：</source>
        <translation>Иерархия окон:</translation>
    </message>
    <message>
        <source>开启音频</source>
        <translation>Включить аудио</translation>
    </message>
    <message>
        <source>全部冻结</source>
        <translation>Замораживать все окна</translation>
    </message>
    <message>
        <source>预设</source>
        <translation>Пресет</translation>
    </message>
    <message>
        <source>蓝矫正</source>
        <translation>Коррекция синего</translation>
    </message>
    <message>
        <source>绿矫正</source>
        <translation>Коррекция зелёного</translation>
    </message>
    <message>
        <source>肤色矫正</source>
        <translation>Тон кожи</translation>
    </message>
    <message>
        <source>水平镜像</source>
        <translation>отразить по 
горизонтали</translation>
    </message>
    <message>
        <source>垂直镜像</source>
        <translation>отразить по
Вертикальное</translation>
    </message>
    <message>
        <source>水平过滤</source>
        <translation>Горизонтальная фильтрация</translation>
    </message>
    <message>
        <source>垂直过滤</source>
        <translation>Вертикальная фильтрация</translation>
    </message>
    <message>
        <source>残影过滤</source>
        <translation>фильтр эффекта привидения</translation>
    </message>
    <message>
        <source>块状过滤</source>
        <translation>блочная фильтрация</translation>
    </message>
    <message>
        <source>噪点处理</source>
        <translation>фильтрация шума</translation>
    </message>
    <message>
        <source>毛发处理</source>
        <translation>Обработка волос</translation>
    </message>
    <message>
        <source>去伽马模式</source>
        <translation>режим де-гамма</translation>
    </message>
    <message>
        <source>面板伽马模式</source>
        <translation>гамма-коррекция</translation>
    </message>
    <message>
        <source>反交错</source>
        <translation>коррекция ошибок</translation>
    </message>
    <message>
        <source>运动检测灵敏度</source>
        <translation>чувствительность движения</translation>
    </message>
    <message>
        <source>对角线修正</source>
        <translation>диагональная коррекция</translation>
    </message>
    <message>
        <source>24PSF模式</source>
        <translation>Модель 24PSF</translation>
    </message>
    <message>
        <source>下拉时间阈值</source>
        <translation>Значение нажатия</translation>
    </message>
    <message>
        <source>2:3下拉检测</source>
        <translation>2:3 Обнаружение нажатия</translation>
    </message>
    <message>
        <source>2:2下拉检测</source>
        <translation>2:2 Обнаружение нажатия</translation>
    </message>
    <message>
        <source>通讯</source>
        <translation>коммуникация</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Параметры синхронизации</translation>
    </message>
    <message>
        <source>脱机</source>
        <translation>оффлайн</translation>
    </message>
    <message>
        <source>恢复出厂设置</source>
        <translation>Заводская установка</translation>
    </message>
    <message>
        <source>1200模式</source>
        <translation>Модель 1200.</translation>
    </message>
    <message>
        <source>命令发送间隔：</source>
        <translation>Интервал отправки команды:</translation>
    </message>
    <message>
        <source>网口：</source>
        <translation>сетевое гнездо:</translation>
    </message>
    <message>
        <source>串口：</source>
        <translation>Серийный:</translation>
    </message>
    <message>
        <source>单画面</source>
        <translation>Одно окно</translation>
    </message>
    <message>
        <source>左右两分屏</source>
        <translation>Два окна рядом</translation>
    </message>
    <message>
        <source>上下两分屏</source>
        <translation>Два окна друг над другом</translation>
    </message>
    <message>
        <source>四分屏</source>
        <translation>Четыре четверти</translation>
    </message>
    <message>
        <source>一大三小</source>
        <translation>Одно большое и три малых</translation>
    </message>
    <message>
        <source>一大一小</source>
        <translation>Одно большое и одно малое</translation>
    </message>
    <message>
        <source>%1滑块</source>
        <translation>Ползунок «%1»</translation>
    </message>
    <message>
        <source>2:3下拉时间阈值</source>
        <translation>Значение нажатия 2:3</translation>
    </message>
    <message>
        <source>2:2下拉时间阈值</source>
        <translation>Значение нажатия 2:2</translation>
    </message>
    <message>
        <source>窗口位置X</source>
        <translation>Положение окна X</translation>
    </message>
    <message>
        <source>窗口位置Y</source>
        <translation>Положение окна Y</translation>
    </message>
    <message>
        <source>窗口宽度</source>
        <translation>Ширина окна</translation>
    </message>
    <message>
        <source>窗口高度</source>
        <translation>Высота окна</translation>
    </message>
    <message>
        <source>填充颜色R</source>
        <translation>Цвет заливки R</translation>
    </message>
    <message>
        <source>填充颜色G</source>
        <translation>Цвет заливки G</translation>
    </message>
    <message>
        <source>填充颜色B</source>
        <translation>Цвет заливки B</translation>
    </message>
    <message>
        <source>网口命令发送间隔</source>
        <translation>Интервал отправки команды по сети</translation>
    </message>
    <message>
        <source>串口命令发送间隔</source>
        <translation>Интервал отправки команды по последовательному порту</translation>
    </message>
    <message>
        <source>拼接行数</source>
        <translation>Ряды видеостены</translation>
    </message>
    <message>
        <source>拼接列数</source>
        <translation>Столбцы видеостены</translation>
    </message>
</context>
</TS>
