<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CliApp</name>
    <message>
        <source>Travaille comme si lancé dans DOSSIER.</source>
        <translation>Run as if started in DIR.</translation>
    </message>
    <message>
        <source>Le numéro du type de Shader (0 par défaut).</source>
        <translation>The number of the shader type (0 by default).</translation>
    </message>
    <message>
        <source>Donne le résultat en un document JSON.</source>
        <translation>Give the result as one JSON document.</translation>
    </message>
    <message>
        <source>Dossier introuvable : %1</source>
        <translation>No such folder: %1</translation>
    </message>
    <message>
        <source>Aucune commande donnée.</source>
        <translation>No command given.</translation>
    </message>
    <message>
        <source>Commande inconnue : %1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>Aucun type de Shader numéro %1 dans %2.</source>
        <translation>No shader type number %1 in %2.</translation>
    </message>
    <message>
        <source>config s&apos;emploie seul, ou avec maya DOSSIER ou mr DOSSIER.</source>
        <translation>config takes nothing, or maya DIR, or mr DIR.</translation>
    </message>
    <message>
        <source>init.txt : %1</source>
        <translation>init.txt: %1</translation>
    </message>
    <message>
        <source>Réglages : %1</source>
        <translation>Settings: %1</translation>
    </message>
    <message>
        <source>Maya : %1</source>
        <translation>Maya: %1</translation>
    </message>
    <message>
        <source>Mental Ray : %1</source>
        <translation>Mental Ray: %1</translation>
    </message>
    <message>
        <source>Type %1 : %2</source>
        <translation>Type %1: %2</translation>
    </message>
    <message>
        <source>obligatoire</source>
        <translation>mandatory</translation>
    </message>
    <message>
        <source>facultatif</source>
        <translation>optional</translation>
    </message>
    <message>
        <source>Voyez %1 --help.</source>
        <translation>See %1 --help.</translation>
    </message>
    <message>
        <source>La ligne link de maya.rayrc.</source>
        <translation>The link line of maya.rayrc.</translation>
    </message>
    <message>
        <source>La ligne mi de maya.rayrc.</source>
        <translation>The mi line of maya.rayrc.</translation>
    </message>
    <message>
        <source>N&apos;écrit rien : dit ce qui serait fait.</source>
        <translation>Write nothing: tell what would be done.</translation>
    </message>
    <message>
        <source>%1 attend un seul dossier de Shader.</source>
        <translation>%1 takes exactly one shader folder.</translation>
    </message>
    <message>
        <source>%1 attend --link LIGNE et --mi LIGNE.</source>
        <translation>%1 needs --link LINE and --mi LINE.</translation>
    </message>
    <message>
        <source>--link doit commencer par le mot link et --mi par le mot mi, chacun sur une seule ligne, par exemple :
%1
%2</source>
        <translation>--link must begin with the word link and --mi with the word mi, each on one line, for example:
%1
%2</translation>
    </message>
    <message>
        <source>init.txt ne peut pas garder ce dossier : il tient sur plusieurs lignes ou l&apos;encodage du système ne sait pas l&apos;écrire.</source>
        <translation>init.txt cannot keep this folder: it spans several lines, or the system&apos;s encoding cannot write it.</translation>
    </message>
    <message>
        <source>init.txt n&apos;a pas été modifié : %1 est illisible, ne commence pas par [MAYA_PATH], ou n&apos;a pas pu être écrit.</source>
        <translation>init.txt was not changed: %1 is unreadable, does not begin with [MAYA_PATH], or could not be written.</translation>
    </message>
    <message>
        <source>init.txt n&apos;a pas été modifié : un autre programme Velkarinth garde %1 en cours de modification.</source>
        <translation>init.txt was not changed: another Velkarinth run is changing %1.</translation>
    </message>
    <message>
        <source>La sortie n&apos;a pas pu être écrite (tube fermé ou disque plein) : le compte rendu est perdu.</source>
        <translation>The output could not be written (a closed pipe or a full disk): the report is lost.</translation>
    </message>
    <message>
        <source>L&apos;argument %1 (%2) n&apos;est pas du texte en UTF-8 : il ne serait pas écrit tel quel.</source>
        <translation>Argument %1 (%2) is not UTF-8 text: it would not be written as it is.</translation>
    </message>
    <message>
        <source>%1 ne prend pas l&apos;option --%2.</source>
        <translation>%1 does not take the option --%2.</translation>
    </message>
    <message>
        <source>Sans reçu, désinstalle ce qui est octet pour octet le Shader.</source>
        <translation>Without a receipt, uninstall what is byte for byte the shader&apos;s.</translation>
    </message>
    <message>
        <source>status attend au plus un dossier de Shader.</source>
        <translation>status takes at most one shader folder.</translation>
    </message>
    <message>
        <source>status ne prend --link et --mi qu&apos;avec un dossier de Shader.</source>
        <translation>status takes --link and --mi only with a shader folder.</translation>
    </message>
    <message>
        <source>Aucun reçu : %1 n&apos;est pas installé.</source>
        <translation>No receipt: %1 is not installed.</translation>
    </message>
    <message>
        <source>Reçu illisible : %1</source>
        <translation>Unreadable receipt: %1</translation>
    </message>
    <message>
        <source>Aucun Shader installé : aucun reçu dans %1.</source>
        <translation>No shader installed: no receipt in %1.</translation>
    </message>
    <message>
        <source>Rien n&apos;a été retiré.</source>
        <translation>Nothing was removed.</translation>
    </message>
    <message>
        <source>%1 n&apos;a pas pu être lu (%2) : rien n&apos;a été fait.</source>
        <translation>%1 could not be read (%2): nothing was done.</translation>
    </message>
    <message>
        <source>Met le Shader installé à la version de son dossier, entièrement ou pas du tout.</source>
        <translation>Bring the installed shader to the version its folder holds, whole or not at all.</translation>
    </message>
    <message>
        <source>DOSSIER</source>
        <translation>DIR</translation>
    </message>
    <message>
        <source>LIGNE</source>
        <translation>LINE</translation>
    </message>
    <message>
        <source>N&apos;écrit que les échecs.</source>
        <translation>Print failures only.</translation>
    </message>
    <message>
        <source>Affiche l&apos;aide : celle de la commande donnée, ou la liste des commandes.</source>
        <translation>Show help: the given command&apos;s, or the list of commands.</translation>
    </message>
    <message>
        <source>Affiche la version.</source>
        <translation>Show the version.</translation>
    </message>
    <message>
        <source>DOSSIER_DU_SHADER</source>
        <translation>SHADER_DIR</translation>
    </message>
    <message>
        <source>Le dossier du Shader, tel que donné à install.</source>
        <translation>The shader&apos;s folder, as given to install.</translation>
    </message>
    <message>
        <source>Installe le Shader de DOSSIER_DU_SHADER, ou avec --upgrade le met à la version de ce dossier.</source>
        <translation>Install the shader in SHADER_DIR, or with --upgrade bring it to that folder&apos;s version.</translation>
    </message>
    <message>
        <source>Copie chaque fichier du Shader dans le dossier qu&apos;init.txt donne pour son extension, sans jamais remplacer un fichier, puis écrit les lignes link et mi dans maya.rayrc. Avec --upgrade, un Shader installé passe à la version de son dossier, entièrement ou pas du tout ; --link et --mi peuvent alors manquer : celles du reçu servent.</source>
        <translation>Copy each of the shader&apos;s files into the folder init.txt gives for its extension, never replacing a file, then write the link and mi lines into maya.rayrc. With --upgrade, an installed shader is brought to its folder&apos;s version, whole or not at all; --link and --mi may then be left out: the receipt&apos;s serve.</translation>
    </message>
    <message>
        <source>Le dossier qui contient les fichiers du Shader.</source>
        <translation>The folder that holds the shader&apos;s files.</translation>
    </message>
    <message>
        <source>installé (ou le serait, avec --dry-run)</source>
        <translation>installed (or would be, with --dry-run)</translation>
    </message>
    <message>
        <source>l&apos;installation a échoué (ou échouerait) ; une ligne sur la sortie d&apos;erreur par échec</source>
        <translation>the install failed (or would); one line on stderr per failure</translation>
    </message>
    <message>
        <source>Remet la version d&apos;avant la dernière mise à jour du Shader de DOSSIER_DU_SHADER.</source>
        <translation>Put back the version before the last upgrade of the shader in SHADER_DIR.</translation>
    </message>
    <message>
        <source>Les copies gardées remplacent celles de la mise à jour, les copies qu&apos;elle a ajoutées partent et les lignes d&apos;avant reviennent ; rien n&apos;est fait quand une copie a changé depuis.</source>
        <translation>The kept copies replace the upgrade&apos;s, the copies it added go and the lines before it come back; nothing is done when a copy has changed since.</translation>
    </message>
    <message>
        <source>la version d&apos;avant est remise (ou le serait, avec --dry-run)</source>
        <translation>the version before is back (or would be, with --dry-run)</translation>
    </message>
    <message>
        <source>rien n&apos;a été remis : aucune version d&apos;avant, ou une copie a changé</source>
        <translation>nothing was put back: no version before, or a copy has changed</translation>
    </message>
    <message>
        <source>Retire ce que l&apos;installation du Shader de DOSSIER_DU_SHADER a mis en place.</source>
        <translation>Take back what the install of the shader in SHADER_DIR put in place.</translation>
    </message>
    <message>
        <source>Retire chaque copie et chaque ligne que nomme le reçu du Shader, tant qu&apos;elle est telle que l&apos;installation l&apos;a faite ; une copie modifiée reste. Sans reçu, rien n&apos;est retiré, sauf avec --without-receipt.</source>
        <translation>Remove each copy and each line the shader&apos;s receipt names, while it is as the install made it; a changed copy stays. Without a receipt nothing is removed, unless with --without-receipt.</translation>
    </message>
    <message>
        <source>tout ce que l&apos;installation avait mis est retiré (ou le serait, avec --dry-run)</source>
        <translation>everything the install put there is gone (or would be, with --dry-run)</translation>
    </message>
    <message>
        <source>quelque chose est resté ou n&apos;a pas pu être retiré</source>
        <translation>something stayed or could not be removed</translation>
    </message>
    <message>
        <source>Dit si les Shaders installés, ou celui de DOSSIER_DU_SHADER, sont en place et intacts.</source>
        <translation>Tell whether the installed shaders, or the one in SHADER_DIR, are in place and intact.</translation>
    </message>
    <message>
        <source>Répond d&apos;après les reçus : chaque copie est intacte, modifiée ou absente, et chaque ligne présente ou absente. Rien n&apos;est écrit.</source>
        <translation>Answer from the receipts: each copy intact, changed or missing, and each line present or missing. Nothing is written.</translation>
    </message>
    <message>
        <source>Le dossier d&apos;un Shader installé ; sans lui, tous les Shaders installés.</source>
        <translation>The folder of one installed shader; without it, every installed shader.</translation>
    </message>
    <message>
        <source>installé jusqu&apos;au bout et intact (avec --link et --mi : avec ces lignes)</source>
        <translation>installed to its end and intact (with --link and --mi: with those lines)</translation>
    </message>
    <message>
        <source>autre chose, ou aucun reçu</source>
        <translation>anything else, or no receipt</translation>
    </message>
    <message>
        <source>Montre la configuration lue dans init.txt, ou y écrit le dossier Maya ou Mental Ray.</source>
        <translation>Show the configuration read from init.txt, or write the Maya or Mental Ray directory into it.</translation>
    </message>
    <message>
        <source>Seule, montre init.txt, les dossiers et chaque type de Shader. Avec maya ou mr, change la ligne de ce dossier dans init.txt, toutes les autres gardées telles quelles.</source>
        <translation>Alone, show init.txt, the directories and each shader type. With maya or mr, change that directory&apos;s line in init.txt, every other line kept as it was.</translation>
    </message>
    <message>
        <source>Écrit DOSSIER comme dossier de Maya (ligne 2 d&apos;init.txt).</source>
        <translation>Write DIR as the Maya directory (line 2 of init.txt).</translation>
    </message>
    <message>
        <source>Écrit DOSSIER comme dossier de Mental Ray (ligne 4 d&apos;init.txt).</source>
        <translation>Write DIR as the Mental Ray directory (line 4 of init.txt).</translation>
    </message>
    <message>
        <source>fait</source>
        <translation>done</translation>
    </message>
    <message>
        <source>init.txt n&apos;a pas pu être lu ou écrit</source>
        <translation>init.txt could not be read or written</translation>
    </message>
    <message>
        <source>Le dossier du Shader %1 n&apos;existe pas ou n&apos;est pas un dossier.</source>
        <translation>The shader folder %1 does not exist or is not a folder.</translation>
    </message>
    <message>
        <source>Le dossier du Shader %1 est ou contient %2, le dossier de destination de l&apos;extension « %3 » : les copies installées y seraient prises pour les fichiers du Shader.</source>
        <translation>The shader folder %1 is or holds %2, the destination folder of the extension &quot;%3&quot;: the installed copies there would be taken for the shader&apos;s files.</translation>
    </message>
    <message>
        <source>%1 n&apos;existait pas : il a été créé avec ce seul dossier.</source>
        <translation>%1 did not exist: it was made with this directory alone.</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un dossier : init.txt le garde tout de même.</source>
        <translation>%1 is not a folder: init.txt keeps it all the same.</translation>
    </message>
    <message>
        <source>init.txt : %1 (absent)</source>
        <translation>init.txt: %1 (missing)</translation>
    </message>
    <message>
        <source>%1 n&apos;existe pas : la configuration par défaut sert, sans aucun dossier.</source>
        <translation>%1 does not exist: the default configuration is used, with no folder.</translation>
    </message>
</context>
<context>
    <name>CliHelp</name>
    <message>
        <source>Installe les fichiers d&apos;un Shader Mental Ray dans Maya et écrit ses lignes link et mi dans maya.rayrc.</source>
        <translation>Installs a Mental Ray shader&apos;s files into Maya and writes its link and mi lines into maya.rayrc.</translation>
    </message>
    <message>
        <source>COMMANDE</source>
        <translation>COMMAND</translation>
    </message>
    <message>
        <source>Une des commandes ci-dessous, suivie de ses arguments.</source>
        <translation>One of the commands below, followed by its arguments.</translation>
    </message>
    <message>
        <source>COMMANDE [ARGUMENTS]</source>
        <translation>COMMAND [ARGUMENTS]</translation>
    </message>
    <message>
        <source>Commandes :</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>fait (ou le serait, avec --dry-run)</source>
        <translation>done (or would be, with --dry-run)</translation>
    </message>
    <message>
        <source>échec : une ligne sur la sortie d&apos;erreur dit pourquoi</source>
        <translation>failed: a line on stderr says why</translation>
    </message>
    <message>
        <source>Exemples :</source>
        <translation>Examples:</translation>
    </message>
    <message>
        <source>%1 COMMANDE --help donne les arguments, les options, le code de sortie et un exemple d&apos;une commande.</source>
        <translation>%1 COMMAND --help gives a command&apos;s arguments, options, exit status and an example.</translation>
    </message>
    <message>
        <source>Exemple :</source>
        <translation>Example:</translation>
    </message>
    <message>
        <source>Code de sortie :</source>
        <translation>Exit status:</translation>
    </message>
    <message>
        <source>erreur d&apos;usage : rien n&apos;a été fait</source>
        <translation>usage error: nothing was done</translation>
    </message>
    <message>
        <source>fait, mais la sortie n&apos;a pas pu être écrite en entier</source>
        <translation>done, but the output could not all be written</translation>
    </message>
    <message>
        <source>Sortie en UTF-8, le JSON aussi ; une console Windows reçoit de l&apos;UTF-16 et montre chaque caractère.</source>
        <translation>Output is UTF-8, the JSON too; a Windows console is given UTF-16 and shows every character.</translation>
    </message>
</context>
<context>
    <name>CliText</name>
    <message>
        <source>Copié : %1 -&gt; %2</source>
        <translation>Copied: %1 -&gt; %2</translation>
    </message>
    <message>
        <source>Mis à jour : %1</source>
        <translation>Updated: %1</translation>
    </message>
    <message>
        <source>obligatoire</source>
        <translation>mandatory</translation>
    </message>
    <message>
        <source>facultatif</source>
        <translation>optional</translation>
    </message>
    <message>
        <source>(aucun)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>(aucune)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>%1 (%2) : %3 -&gt; %4 : %5</source>
        <translation>%1 (%2): %3 -&gt; %4: %5</translation>
    </message>
    <message>
        <source>L&apos;installation réussirait.</source>
        <translation>The installation would succeed.</translation>
    </message>
    <message>
        <source>L&apos;installation échouerait.</source>
        <translation>The installation would fail.</translation>
    </message>
    <message>
        <source>%1 : entrée %2 à retirer, ligne %3</source>
        <translation>%1: %2 entry to remove, line %3</translation>
    </message>
    <message>
        <source>%1 : entrée %2 retirée, ligne %3</source>
        <translation>%1: %2 entry removed, line %3</translation>
    </message>
    <message>
        <source>%1 : entrée %2 absente</source>
        <translation>%1: no %2 entry</translation>
    </message>
    <message>
        <source>Entrée %1 non retirée : %2</source>
        <translation>%1 entry not removed: %2</translation>
    </message>
    <message>
        <source>Aucun reçu d&apos;installation pour %1 : rien n&apos;a été retiré. --without-receipt retire ce qui est octet pour octet le Shader.</source>
        <translation>No installation receipt for %1: nothing was removed. --without-receipt removes what is byte for byte the shader&apos;s.</translation>
    </message>
    <message>
        <source>Installé et intact : %1</source>
        <translation>Installed and intact: %1</translation>
    </message>
    <message>
        <source>Installé, mais modifié depuis : %1</source>
        <translation>Installed, but changed since: %1</translation>
    </message>
    <message>
        <source>Installation inachevée : %1</source>
        <translation>Installation not finished: %1</translation>
    </message>
    <message>
        <source>  intact : %1</source>
        <translation>  intact: %1</translation>
    </message>
    <message>
        <source>  modifié : %1</source>
        <translation>  changed: %1</translation>
    </message>
    <message>
        <source>  absent : %1</source>
        <translation>  missing: %1</translation>
    </message>
    <message>
        <source>  entrée %1 présente : %2</source>
        <translation>  %1 entry present: %2</translation>
    </message>
    <message>
        <source>  entrée %1 absente : %2</source>
        <translation>  %1 entry missing: %2</translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Déjà installé : %1</source>
        <translation>Already installed: %1</translation>
    </message>
    <message>
        <source>Installé avec d&apos;autres lignes que celles demandées : %1 -&gt; %2, lignes « %3 » et « %4 ».</source>
        <translation>Installed with other lines than the ones asked about: %1 -&gt; %2, lines &quot;%3&quot; and &quot;%4&quot;.</translation>
    </message>
    <message>
        <source>Désinstallation inachevée : %1</source>
        <translation>Uninstall unfinished: %1</translation>
    </message>
    <message>
        <source>  version plus ancienne : %1</source>
        <translation>  outdated: %1</translation>
    </message>
    <message>
        <source>Installé, une version plus récente est dans le dossier du Shader : %1</source>
        <translation>Installed, but the shader folder holds a newer version: %1</translation>
    </message>
    <message>
        <source>%1 : %2 -&gt; %3 : %4</source>
        <translation>%1: %2 -&gt; %3: %4</translation>
    </message>
    <message>
        <source>%1 : entrée %2 : %3 -&gt; %4</source>
        <translation>%1: %2 entry: %3 -&gt; %4</translation>
    </message>
    <message>
        <source>Déjà à jour : %1</source>
        <translation>Already up to date: %1</translation>
    </message>
    <message>
        <source>La version serait mise en place : %1</source>
        <translation>The version would be put in place: %1</translation>
    </message>
    <message>
        <source>Version mise en place : %1</source>
        <translation>Version in place: %1</translation>
    </message>
    <message>
        <source>Un programme garde l&apos;ancienne version ouverte : elle sera retirée au redémarrage de Windows. Relancez ce programme pour utiliser la nouvelle.</source>
        <translation>A program holds the old version open: it will be removed when Windows restarts. Restart that program to use the new one.</translation>
    </message>
    <message>
        <source>Aucun dossier de destination n&apos;est donné pour l&apos;extension « %1 » dans %2 : écrivez-le sur sa ligne.</source>
        <translation>No destination folder is given for the extension &quot;%1&quot; in %2: write it on its line.</translation>
    </message>
    <message>
        <source>Aucun dossier Mental Ray n&apos;est donné dans %1 : %2 config mr DOSSIER l&apos;y écrit.</source>
        <translation>No Mental Ray directory is given in %1: %2 config mr DIR writes it there.</translation>
    </message>
    <message>
        <source>  illisible pour le moment (un autre programme le tient) : %1</source>
        <translation>  cannot be read now (another program holds it): %1</translation>
    </message>
</context>
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
        <source>Enregistré dans init.txt à chaque frappe.</source>
        <translation>Saved to init.txt as you type.</translation>
    </message>
    <message>
        <source>Enregistré par « Sauvegarde ».</source>
        <translation>Saved by &quot;Save&quot;.</translation>
    </message>
    <message>
        <source>Répertoire de destination : le fichier y est copié, sans jamais en remplacer un.</source>
        <translation>Destination directory: the file is copied into it, never replacing one.</translation>
    </message>
    <message>
        <source>Fichier obligatoire : « oui », une copie impossible fait échouer l&apos;installation ; « non », elle donne un avertissement.</source>
        <translation>Mandatory file: &quot;yes&quot;, a failed copy fails the installation; &quot;no&quot;, it gives a warning.</translation>
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
    <message>
        <source>Extension : le fichier du Shader dont le nom la porte après un point est copié par cette ligne.</source>
        <translation>Extension: the shader file whose name holds it right after a dot is copied by this row.</translation>
    </message>
    <message>
        <source>init.txt n&apos;a pas été remplacé : un autre programme Velkarinth est en train de le modifier.
Cliquez de nouveau sur Sauvegarde dans un moment.</source>
        <translation>init.txt was not replaced: another Velkarinth run is changing it.
Click Save again in a moment.</translation>
    </message>
    <message>
        <source>init.txt n&apos;a pas été modifié : un autre programme Velkarinth est en train de le modifier.
Le dossier est gardé ; cliquez sur Sauvegarde dans un moment pour l&apos;écrire.</source>
        <translation>init.txt was not changed: another Velkarinth run is changing it.
The folder is kept; click Save in a moment to write it.</translation>
    </message>
</context>
<context>
    <name>CopyStep</name>
    <message>
        <source>Aucun fichier d&apos;extension « %1 » n&apos;a été trouvé sous le dossier du Shader %2.</source>
        <translation>No file with the extension &quot;%1&quot; was found below the shader folder %2.</translation>
    </message>
    <message>
        <source>Aucun dossier de destination n&apos;est donné pour l&apos;extension « %1 » : remplissez l&apos;onglet Configuration.</source>
        <translation>No destination folder is given for the extension &quot;%1&quot;: fill in the Configuration tab.</translation>
    </message>
    <message>
        <source>Extension : %1</source>
        <translation>Extension: %1</translation>
    </message>
    <message>
        <source>Fichier du Shader : %1</source>
        <translation>Shader file: %1</translation>
    </message>
    <message>
        <source>(aucun)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>Destination : %1</source>
        <translation>Destination: %1</translation>
    </message>
    <message>
        <source>(aucune)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>copie</source>
        <translation>copy</translation>
    </message>
    <message>
        <source>aucun fichier trouvé</source>
        <translation>no file found</translation>
    </message>
    <message>
        <source>refus : aucun dossier de destination</source>
        <translation>refused: no destination folder</translation>
    </message>
    <message>
        <source>Le dossier de destination %3 n&apos;existe pas.</source>
        <translation>The destination folder %3 does not exist.</translation>
    </message>
    <message>
        <source>refus : pas de tel dossier</source>
        <translation>refused: no such folder</translation>
    </message>
    <message>
        <source>Le fichier %4 existe déjà : il n&apos;est jamais remplacé.</source>
        <translation>The file %4 already exists: it is never replaced.</translation>
    </message>
    <message>
        <source>refus : le fichier est déjà là</source>
        <translation>refused: the file is already there</translation>
    </message>
    <message>
        <source>Le dossier de destination %3 n&apos;est pas accessible en écriture.</source>
        <translation>The destination folder %3 cannot be written to.</translation>
    </message>
    <message>
        <source>refus : dossier non accessible en écriture</source>
        <translation>refused: folder not writable</translation>
    </message>
    <message>
        <source>La copie vers %4 a échoué.</source>
        <translation>Copying to %4 failed.</translation>
    </message>
    <message>
        <source>échec de la copie</source>
        <translation>copy failed</translation>
    </message>
    <message>
        <source>Le fichier du Shader %5 ne peut pas être lu.</source>
        <translation>The shader&apos;s file %5 cannot be read.</translation>
    </message>
    <message>
        <source>refus : le fichier ne peut pas être lu</source>
        <translation>refused: the file cannot be read</translation>
    </message>
    <message>
        <source>Le nom %5 n&apos;est pas en UTF-8 : ce fichier ou dossier ne peut pas être lu sous ce nom. Renommez-le.</source>
        <translation>The name %5 is not UTF-8: this file or folder cannot be read under that name. Rename it.</translation>
    </message>
    <message>
        <source>nom illisible, le fichier est peut-être là</source>
        <translation>name cannot be read, the file may be there</translation>
    </message>
    <message>
        <source>déjà installé</source>
        <translation>already installed</translation>
    </message>
    <message>
        <source>Le fichier %4 est une version antérieure du Shader, installée par Velkarinth : il n&apos;est pas remplacé.</source>
        <translation>The file %4 is an earlier version of the shader, installed by Velkarinth: it is not replaced.</translation>
    </message>
    <message>
        <source>refus : une version antérieure est installée</source>
        <translation>refused: an earlier version is installed</translation>
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
    <name>InstalledTab</name>
    <message>
        <source>(aucune)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>Shaders installés</source>
        <translation>Installed shaders</translation>
    </message>
    <message>
        <source>Détails</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Actualiser</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Terminer l&apos;installation</source>
        <translation>Finish the install</translation>
    </message>
    <message>
        <source>Mettre à jour</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>Revenir à la version d&apos;avant</source>
        <translation>Go back to the previous version</translation>
    </message>
    <message>
        <source>Désinstaller</source>
        <translation>Uninstall</translation>
    </message>
    <message>
        <source>installé</source>
        <translation>installed</translation>
    </message>
    <message>
        <source>inachevé</source>
        <translation>unfinished</translation>
    </message>
    <message>
        <source>modifié</source>
        <translation>changed</translation>
    </message>
    <message>
        <source>fichiers manquants</source>
        <translation>files missing</translation>
    </message>
    <message>
        <source>version plus récente disponible</source>
        <translation>newer version available</translation>
    </message>
    <message>
        <source>mise à jour interrompue</source>
        <translation>upgrade interrupted</translation>
    </message>
    <message>
        <source>%1 -&gt; %2 : %3</source>
        <translation>%1 -&gt; %2: %3</translation>
    </message>
    <message>
        <source>Aucun Shader installé.</source>
        <translation>No shader installed.</translation>
    </message>
    <message>
        <source>intact</source>
        <translation>intact</translation>
    </message>
    <message>
        <source>absent</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>version plus ancienne</source>
        <translation>outdated</translation>
    </message>
    <message>
        <source>Dossier du Shader : %1</source>
        <translation>Shader folder: %1</translation>
    </message>
    <message>
        <source>maya.rayrc : %1</source>
        <translation>maya.rayrc: %1</translation>
    </message>
    <message>
        <source>État : %1</source>
        <translation>State: %1</translation>
    </message>
    <message>
        <source>Fichiers :</source>
        <translation>Files:</translation>
    </message>
    <message>
        <source>  %1 -&gt; %2 : %3</source>
        <translation>  %1 -&gt; %2: %3</translation>
    </message>
    <message>
        <source>Lignes :</source>
        <translation>Lines:</translation>
    </message>
    <message>
        <source>  %1 : %2 (présente)</source>
        <translation>  %1: %2 (present)</translation>
    </message>
    <message>
        <source>  %1 : %2 (absente)</source>
        <translation>  %1: %2 (missing)</translation>
    </message>
    <message>
        <source>Une version d&apos;avant est gardée.</source>
        <translation>A previous version is kept.</translation>
    </message>
    <message>
        <source>Voici ce qui sera fait pour %1 :</source>
        <translation>This is what will be done for %1:</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Problème</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1, entrée %2 : %3 -&gt; %4</source>
        <translation>%1, %2 entry: %3 -&gt; %4</translation>
    </message>
    <message>
        <source>%1, entrée %2, ligne %3 : %4 -&gt; %5</source>
        <translation>%1, %2 entry, line %3: %4 -&gt; %5</translation>
    </message>
    <message>
        <source>%1, entrée %2, ligne %3 : à retirer</source>
        <translation>%1, %2 entry, line %3: to remove</translation>
    </message>
    <message>
        <source>La désinstallation n&apos;a pas tout retiré.</source>
        <translation>The uninstall did not remove everything.</translation>
    </message>
    <message>
        <source>illisible pour le moment</source>
        <translation>cannot be read now</translation>
    </message>
    <message>
        <source>illisible pour le moment (un autre programme le tient)</source>
        <translation>cannot be read now (another program holds it)</translation>
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
    <name>RayrcRemoval</name>
    <message>
        <source>Aucun dossier Mental Ray n&apos;est donné.</source>
        <translation>No Mental Ray directory is given.</translation>
    </message>
    <message>
        <source>aucun reçu ne dit qu&apos;elle a été écrite par une installation.</source>
        <translation>no receipt says an installation wrote it.</translation>
    </message>
</context>
<context>
    <name>RayrcStep</name>
    <message>
        <source>Aucun dossier Mental Ray n&apos;est donné : remplissez l&apos;onglet Configuration.</source>
        <translation>No Mental Ray directory is given: fill in the Configuration tab.</translation>
    </message>
    <message>
        <source>%1 est introuvable, illisible ou n&apos;est pas un fichier.</source>
        <translation>%1 is missing, unreadable or not a file.</translation>
    </message>
    <message>
        <source>%1 n&apos;a aucune ligne « link » (une tabulation suivie de link) : l&apos;entrée link n&apos;a pas de place.</source>
        <translation>%1 has no &quot;link&quot; line (a tab followed by link): the link entry has no place to go.</translation>
    </message>
    <message>
        <source>%1 n&apos;a aucune ligne « mi » (une tabulation suivie de mi) : l&apos;entrée mi n&apos;a pas de place.</source>
        <translation>%1 has no &quot;mi&quot; line (a tab followed by mi): the mi entry has no place to go.</translation>
    </message>
    <message>
        <source>%1 n&apos;a ni ligne « link » ni ligne « mi » (une tabulation suivie du mot) : les entrées n&apos;ont pas de place.</source>
        <translation>%1 has neither a &quot;link&quot; line nor an &quot;mi&quot; line (a tab followed by the word): the entries have no place to go.</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas accessible en écriture.</source>
        <translation>%1 cannot be written to.</translation>
    </message>
    <message>
        <source>L&apos;écriture de %1 a échoué ; le fichier est resté tel qu&apos;il était.</source>
        <translation>Writing %1 failed; the file was left as it was.</translation>
    </message>
    <message>
        <source>Copie du jour de maya.rayrc : %1</source>
        <translation>Today&apos;s copy of maya.rayrc: %1</translation>
    </message>
    <message>
        <source>La copie du jour de maya.rayrc n&apos;a pas pu être faite (%1) : maya.rayrc est modifié sans elle. Le dossier de travail doit être accessible en écriture.</source>
        <translation>Today&apos;s copy of maya.rayrc could not be made (%1): maya.rayrc is changed without it. The working folder must be writable.</translation>
    </message>
    <message>
        <source>%1 est en cours de modification par un autre programme Velkarinth : rien n&apos;y a été écrit. Réessayez dans un moment.</source>
        <translation>%1 is being changed by another Velkarinth run: nothing was written to it. Try again in a moment.</translation>
    </message>
    <message>
        <source>l&apos;entrée link irait au-dessus de la ligne %2, l&apos;entrée mi au-dessus de la ligne %3</source>
        <translation>the link entry would go above line %2, the mi entry above line %3</translation>
    </message>
    <message>
        <source>aucune ligne « link », l&apos;entrée mi irait au-dessus de la ligne %3</source>
        <translation>no &quot;link&quot; line; the mi entry would go above line %3</translation>
    </message>
    <message>
        <source>aucune ligne « mi », l&apos;entrée link irait au-dessus de la ligne %2</source>
        <translation>no &quot;mi&quot; line; the link entry would go above line %2</translation>
    </message>
    <message>
        <source>%1 a une ligne trop longue pour la mémoire ; le fichier est resté tel qu&apos;il était.</source>
        <translation>%1 has a line too long for the memory; the file was left as it was.</translation>
    </message>
    <message>
        <source>les entrées sont déjà là, lignes %2 et %3 : rien à écrire</source>
        <translation>the entries are already there, lines %2 and %3: nothing to write</translation>
    </message>
    <message>
        <source>l&apos;entrée mi irait au-dessus de la ligne %3, l&apos;entrée link est déjà là</source>
        <translation>the mi entry would go above line %3; the link entry is already there</translation>
    </message>
    <message>
        <source>l&apos;entrée link irait au-dessus de la ligne %2, l&apos;entrée mi est déjà là</source>
        <translation>the link entry would go above line %2; the mi entry is already there</translation>
    </message>
</context>
<context>
    <name>Receipt</name>
    <message>
        <source>Le reçu %1 n&apos;a pas pu être écrit : une désinstallation ne reprendra pas ce qui vient d&apos;être installé sans --without-receipt.</source>
        <translation>Receipt %1 could not be written: an uninstall will not take back what was just installed without --without-receipt.</translation>
    </message>
    <message>
        <source>Le reçu %1 n&apos;a pas pu être mis à jour : il nomme encore ce que la désinstallation a retiré.</source>
        <translation>The receipt %1 could not be updated: it still names what the uninstall removed.</translation>
    </message>
</context>
<context>
    <name>RemoveStep</name>
    <message>
        <source>À supprimer : %1</source>
        <translation>To remove: %1</translation>
    </message>
    <message>
        <source>Supprimé : %1</source>
        <translation>Removed: %1</translation>
    </message>
    <message>
        <source>Gardé, il diffère du fichier du Shader : %1</source>
        <translation>Kept, it differs from the shader&apos;s file: %1</translation>
    </message>
    <message>
        <source>Gardé, ce n&apos;est pas un fichier ordinaire : %1</source>
        <translation>Kept, it is not a regular file: %1</translation>
    </message>
    <message>
        <source>Gardé, c&apos;est le fichier même du Shader : %1</source>
        <translation>Kept, it is the shader&apos;s own file: %1</translation>
    </message>
    <message>
        <source>Absent : %1</source>
        <translation>Not there: %1</translation>
    </message>
    <message>
        <source>Suppression impossible (un autre programme le tient ouvert, ou le dossier ne peut pas être écrit) : %1</source>
        <translation>Could not remove (another program holds it open, or the folder cannot be written): %1</translation>
    </message>
    <message>
        <source>Gardé, il est en lecture seule (ôtez cet attribut pour le retirer) : %1</source>
        <translation>Kept, it is read-only (clear that attribute to remove it): %1</translation>
    </message>
    <message>
        <source>Gardé, aucun reçu ne dit qu&apos;il a été installé : %1</source>
        <translation>Kept, no receipt says it was installed: %1</translation>
    </message>
    <message>
        <source>Gardé, le reçu le place hors des dossiers configurés : %1</source>
        <translation>Kept, its receipt puts it outside the configured folders: %1</translation>
    </message>
    <message>
        <source>%2 : aucun fichier trouvé sous le dossier du Shader</source>
        <translation>%2: no file found below the shader folder</translation>
    </message>
    <message>
        <source>%2 : aucun dossier de destination</source>
        <translation>%2: no destination folder</translation>
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
    <message>
        <source>La ligne Link doit commencer par le mot link et tenir sur une seule ligne, par exemple :
%1</source>
        <translation>The Link line must begin with the word link and fit on one line, for example:
%1</translation>
    </message>
    <message>
        <source>La ligne mi doit commencer par le mot mi et tenir sur une seule ligne, par exemple :
%1</source>
        <translation>The mi line must begin with the word mi and fit on one line, for example:
%1</translation>
    </message>
    <message>
        <source>Ligne incorrecte</source>
        <translation>Incorrect line</translation>
    </message>
    <message>
        <source>Rien n&apos;a été installé.</source>
        <translation>Nothing was installed.</translation>
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
    <message>
        <source>Shaders installés</source>
        <translation>Installed shaders</translation>
    </message>
</context>
<context>
    <name>UpgradePlan</name>
    <message>
        <source>déjà à jour</source>
        <translation>already up to date</translation>
    </message>
    <message>
        <source>remplacé par l&apos;autre version</source>
        <translation>replaced by the other version</translation>
    </message>
    <message>
        <source>copie</source>
        <translation>copy</translation>
    </message>
    <message>
        <source>retiré, l&apos;autre version n&apos;en a pas</source>
        <translation>removed, the other version has none</translation>
    </message>
    <message>
        <source>Rien n&apos;a été changé : la version installée de %1 est restée telle quelle.</source>
        <translation>Nothing was changed: the installed version of %1 is as it was.</translation>
    </message>
    <message>
        <source>Aucun reçu : %1 n&apos;est pas installé dans ce maya.rayrc.</source>
        <translation>No receipt: %1 is not installed in this maya.rayrc.</translation>
    </message>
    <message>
        <source>Aucune version antérieure de %1 n&apos;est gardée : rien à remettre.</source>
        <translation>No earlier version of %1 is kept: nothing to put back.</translation>
    </message>
    <message>
        <source>Un autre programme Velkarinth travaille sur %1 : rien n&apos;a été fait. Réessayez dans un moment.</source>
        <translation>Another Velkarinth run is working on %1: nothing was done. Try again in a moment.</translation>
    </message>
    <message>
        <source>%2 n&apos;a pas pu être changé : la version d&apos;avant de %1 a été remise telle qu&apos;elle était.</source>
        <translation>%2 could not be changed: the version of %1 from before was put back as it was.</translation>
    </message>
    <message>
        <source>%2 n&apos;a pas pu être changé, et la version d&apos;avant de %1 n&apos;a pas pu être remise entièrement : le prochain lancement de Velkarinth la remettra.</source>
        <translation>%2 could not be changed, and the version of %1 from before could not all be put back: the next Velkarinth run will put it back.</translation>
    </message>
    <message>
        <source>Le changement de version de %1, interrompu, a été achevé : la nouvelle version est en place.</source>
        <translation>The interrupted change of version of %1 was finished: the new version is in place.</translation>
    </message>
    <message>
        <source>Le changement de version de %1, interrompu, a été défait : la version d&apos;avant est remise.</source>
        <translation>The interrupted change of version of %1 was undone: the version from before is back.</translation>
    </message>
    <message>
        <source>Le changement de version de %1, interrompu, n&apos;a pas pu être défait entièrement : le prochain lancement réessaiera.</source>
        <translation>The interrupted change of version of %1 could not all be undone: the next run will try again.</translation>
    </message>
</context>
<context>
    <name>WorkingFolder</name>
    <message>
        <source>Velkarinth ne lit et n&apos;écrit rien ici : %1 appartient à %2, mode %3, si bien qu&apos;un autre utilisateur a pu y mettre ce que Velkarinth croirait. Si vous faites confiance à ce dossier, relancez avec la variable d&apos;environnement %4=%5.</source>
        <translation>Velkarinth reads and writes nothing here: %1 belongs to %2, mode %3, so another user may have put there what Velkarinth would believe. If you trust this folder, run again with the environment variable %4=%5.</translation>
    </message>
    <message>
        <source>Dossier de travail non sûr</source>
        <translation>Working folder not safe</translation>
    </message>
    <message>
        <source>Velkarinth n&apos;a pas pu créer ou ouvrir votre dossier de travail %1.</source>
        <translation>Velkarinth could not create or open your working folder %1.</translation>
    </message>
</context>
<context>
    <name>WriteJournal</name>
    <message>
        <source>%1 avait été laissé à moitié écrit par un programme Velkarinth interrompu : son contenu d&apos;avant a été remis.</source>
        <translation>%1 had been left half written by an interrupted Velkarinth run: its former content has been put back.</translation>
    </message>
</context>
</TS>
