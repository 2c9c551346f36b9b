<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ConfigTab</name>
    <message>
        <source>Maya</source>
        <translation>Maya</translation>
    </message>
    <message>
        <source>Chemin de Maya</source>
        <translation>Maya directory</translation>
    </message>
    <message>
        <source>Mental Ray</source>
        <translation>Mental Ray</translation>
    </message>
    <message>
        <source>Chemin de Mental Ray</source>
        <translation>Mental Ray directory</translation>
    </message>
    <message>
        <source>Shader MR</source>
        <translation>MR Shader</translation>
    </message>
    <message>
        <source>Donnez l&apos;extension, le chemin et l&apos;obligation pour chaque extension</source>
        <translation>Give the extension, the directory and whether it is mandatory for each extension</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>Sauvegarde</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Sélectionner un répertoire</source>
        <translation>Select a directory</translation>
    </message>
    <message>
        <source>Extension %1</source>
        <translation>Extension %1</translation>
    </message>
    <message>
        <source>Chemin %1</source>
        <translation>Directory %1</translation>
    </message>
    <message>
        <source>Parcourir</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Obligation %1</source>
        <translation>Mandatory %1</translation>
    </message>
    <message>
        <source>un retour à la ligne</source>
        <translation>a line break</translation>
    </message>
    <message>
        <source>un astérisque (*), le séparateur des champs</source>
        <translation>an asterisk (*), the field separator</translation>
    </message>
    <message>
        <source>un caractère que l&apos;encodage du système ne peut pas écrire</source>
        <translation>a character that the system&apos;s encoding cannot write</translation>
    </message>
    <message>
        <source>Cette valeur n&apos;est pas enregistrée dans init.txt : elle contient %1.</source>
        <translation>This value is not saved in init.txt: it holds %1.</translation>
    </message>
    <message>
        <source>Type de shader %1</source>
        <translation>Shader type %1</translation>
    </message>
    <message>
        <source>init.txt n&apos;a pas été remplacé. Le programme n&apos;a pas compris toutes ses lignes (une ligne de repère, [MAYA_PATH] ou [MR_PATH], manque ou est mal écrite) : le réécrire perdrait celles qu&apos;il n&apos;a pas lues.
Corrigez init.txt à la main, ou supprimez-le pour repartir des réglages par défaut, puis relancez le programme.</source>
        <translation>init.txt was not replaced. The program did not understand all of its lines (a marker line, [MAYA_PATH] or [MR_PATH], is missing or misspelt): rewriting it would lose the lines it did not read.
Mend init.txt by hand, or delete it to start from the defaults, then start the program again.</translation>
    </message>
    <message>
        <source>init.txt n&apos;a pas été remplacé. Il existe mais n&apos;a pas pu être lu : il n&apos;est pas lisible, ou ce n&apos;est pas un fichier ordinaire. Le remplacer perdrait ce qu&apos;il contient.
Faites-en un fichier ordinaire lisible, ou supprimez-le pour repartir des réglages par défaut, puis relancez le programme.</source>
        <translation>init.txt was not replaced. It exists but could not be read: it is not readable, or it is not a regular file. Replacing it would lose what it holds.
Make it a readable regular file, or delete it to start from the defaults, then start the program again.</translation>
    </message>
    <message>
        <source>init.txt n&apos;a pas été remplacé. Il contient des octets que l&apos;encodage du système ne sait pas lire (par exemple un nom de dossier écrit dans un autre encodage) : le réécrire les remplacerait pour de bon.
Corrigez ces lignes à la main dans un éditeur de texte, ou supprimez init.txt pour repartir des réglages par défaut, puis relancez le programme.</source>
        <translation>init.txt was not replaced. It holds bytes that the system&apos;s encoding cannot read (a folder name written in another encoding, for example): rewriting it would replace them for good.
Mend those lines by hand in a text editor, or delete init.txt to start from the defaults, then start the program again.</translation>
    </message>
    <message>
        <source>init.txt n&apos;a pas été remplacé. Le champ « %1 » contient %2, que le fichier init.txt ne peut pas garder tel quel.
Corrigez ce champ, puis cliquez de nouveau sur Sauvegarde.</source>
        <translation>init.txt was not replaced. The field “%1” holds %2, which init.txt cannot keep as it is.
Correct this field, then press Save again.</translation>
    </message>
    <message>
        <source>init.txt n&apos;a pas pu être écrit.
Vérifiez que init.txt et son dossier sont modifiables et que le disque n&apos;est pas plein, puis cliquez de nouveau sur Sauvegarde.</source>
        <translation>init.txt could not be written.
Check that init.txt and its folder can be written and that the disk is not full, then press Save again.</translation>
    </message>
</context>
<context>
    <name>CreditTab</name>
    <message>
        <source>&lt;center&gt;&lt;p&gt;Velkarinth V2.2&lt;/p&gt;&lt;p&gt;Réalisé par %1&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%2&quot;&gt;%2&lt;/a&gt;&lt;/p&gt;&lt;p&gt;Maya&amp;copy; est une marque déposée par &lt;a href=&quot;http://www.alias.com&quot;&gt;Alias&lt;/a&gt; (http://www.alias.com).&lt;/p&gt;&lt;p&gt;Mental Ray&amp;copy; est une marque déposée par &lt;a href=&quot;http://www.mentalimages.com&quot;&gt;mental images&lt;/a&gt; (http://www.mentalimages.com).&lt;/p&gt;&lt;br&gt;&lt;br&gt;&lt;p&gt;Ce logiciel a été développée à l&apos;aide &lt;b&gt;QT %3 OpenSource&lt;/b&gt; (http://www.qt.io).&lt;/p&gt;&lt;p&gt;Velkarinth version 2.0, copyright &amp;copy; %4 %5&lt;/p&gt;&lt;/center&gt;</source>
        <translation>&lt;center&gt;&lt;p&gt;Velkarinth V2.2&lt;/p&gt;&lt;p&gt;Made by %1&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%2&quot;&gt;%2&lt;/a&gt;&lt;/p&gt;&lt;p&gt;Maya&amp;copy; is a registered trademark of &lt;a href=&quot;http://www.alias.com&quot;&gt;Alias&lt;/a&gt; (http://www.alias.com).&lt;/p&gt;&lt;p&gt;Mental Ray&amp;copy; is a registered trademark of &lt;a href=&quot;http://www.mentalimages.com&quot;&gt;mental images&lt;/a&gt; (http://www.mentalimages.com).&lt;/p&gt;&lt;br&gt;&lt;br&gt;&lt;p&gt;This software was developed with &lt;b&gt;QT %3 OpenSource&lt;/b&gt; (http://www.qt.io).&lt;/p&gt;&lt;p&gt;Velkarinth version 2.0, copyright &amp;copy; %4 %5&lt;/p&gt;&lt;/center&gt;</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Erreur de copie de fichier</source>
        <translation>File copy error</translation>
    </message>
    <message>
        <source>Erreur lors de la copie du fichier : </source>
        <translation>Error while copying the file: </translation>
    </message>
    <message>
        <source>
 Fichier non obligatoire</source>
        <translation>
 Optional file</translation>
    </message>
    <message>
        <source>Erreur d&apos;ecriture</source>
        <translation>Write error</translation>
    </message>
    <message>
        <source>Erreur lors de l&apos;écriture dans maya.rayrc</source>
        <translation>Error while writing to maya.rayrc</translation>
    </message>
</context>
<context>
    <name>ShaderTab</name>
    <message>
        <source>Shaders</source>
        <translation>Shaders</translation>
    </message>
    <message>
        <source>Type de Shader</source>
        <translation>Shader type</translation>
    </message>
    <message>
        <source>Chemin de votre Shader</source>
        <translation>Your shader&apos;s directory</translation>
    </message>
    <message>
        <source>La ligne Link</source>
        <translation>The link line</translation>
    </message>
    <message>
        <source>La ligne mi</source>
        <translation>The mi line</translation>
    </message>
    <message>
        <source>Installer le Shader</source>
        <translation>Install the Shader</translation>
    </message>
    <message>
        <source>pas d&apos;action</source>
        <translation>no action</translation>
    </message>
    <message>
        <source>Sélectionner un répertoire</source>
        <translation>Select a directory</translation>
    </message>
    <message>
        <source>Nouveau chemin de Shader</source>
        <translation>New shader directory</translation>
    </message>
    <message>
        <source>Problème lors de l&apos;installation : des paramètres ne sont pas donnés.</source>
        <translation>Installation problem: some parameters are missing.</translation>
    </message>
    <message>
        <source>Installation effectuée</source>
        <translation>Installation done</translation>
    </message>
    <message>
        <source>Problème lors de l&apos;installation</source>
        <translation>Installation problem</translation>
    </message>
    <message>
        <source>Parcourir</source>
        <translation>Browse</translation>
    </message>
</context>
<context>
    <name>TabDialog</name>
    <message>
        <source>Shader</source>
        <translation>Shader</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Crédits</source>
        <translation>Credits</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Velkarinth</source>
        <translation>Velkarinth</translation>
    </message>
</context>
</TS>
