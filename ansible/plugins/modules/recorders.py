#!/usr/bin/python
# -*- coding: utf-8 -*-
# Sets up the HRX-540A recorders of one site by running `nvrwizard --batch`
# on the site's own computer: the recorders answer only on their own network.

from __future__ import absolute_import, division, print_function
__metaclass__ = type

DOCUMENTATION = r'''
module: recorders
short_description: Set up the HRX-540A recorders of one site
description:
  - Runs C(nvrwizard --batch -) on the site host, which must be on the recorders' own network,
    and hands it the plan through a pipe, never through a file.
  - Each recorder is set up by a headless run of its own; a recorder that fails never stops the others.
  - The task reports C(changed) when the program sent a recorder, a camera or the cloud portal a
    command that changes something; starting the recording does not count.
  - The task fails when one or more recorders failed, naming each with its failure and diagnosis.
  - A shortcut item or report that could not be made on the site host is a warning.
  - Every password in the plan is kept out of logs and output.
version_added: 1.0.0
author: nvrwizard developers
options:
  plan:
    description:
      - The answers every recorder shares and the recorders, as the wizard's batch plan
        (see the wizard's C(docs/headless.md)). Keys of the sections not listed below are
        passed on as they stand.
    type: dict
    required: true
    suboptions:
      answers:
        description: The answers every recorder shares, as a headless answers file.
        type: dict
        default: {}
        suboptions:
          language: {description: "Language code or name.", type: str}
          timeoutSeconds: {description: "The longest one recorder's run may take.", type: int}
          welcome: {description: "Answers of the welcome page.", type: dict}
          install: {description: "Answers of the installation guide.", type: dict}
          searchNVR: {description: "Answers of the recorder search; never C(recorder).", type: dict}
          password: &password
            description: The administrator password.
            type: dict
            suboptions:
              password: {description: "Password to set, or the recorder's current one.", type: str}
              newPassword: {description: "A new password for a recorder that has one.", type: str}
              reset:
                description: The account that authorises a factory reset.
                type: dict
                suboptions:
                  user: {description: "User name.", type: str}
                  password: {description: "Its password.", type: str}
              actions: {description: "Page actions.", type: list, elements: str}
          timeZone: {description: "Answers of the time zone step (C(zone)).", type: dict}
          hdd: {description: "Answers of the disk step (C(format), C(erase)).", type: dict}
          searchCAM: &searchcam
            description: The cameras to write into the recorder's channels.
            type: dict
            suboptions:
              cameras:
                description: At most nine cameras, each by row, address, MAC address or model.
                type: list
                elements: dict
                suboptions:
                  camera: {description: "Row, address, MAC address or model.", type: raw, required: true}
                  password: {description: "The camera's password, or its new one.", type: str}
              password: {description: "The password of every camera that gives none.", type: str}
              rescan: {description: "Search again after the picks.", type: bool}
              actions: {description: "Page actions.", type: list, elements: str}
          nimbora: &nimbora
            description: The cloud account.
            type: dict
            suboptions:
              account: {description: "How to sign in.", type: str, choices: [existing, new, skip]}
              email: {description: "The account's e-mail address.", type: str}
              password: {description: "The account's password.", type: str}
              confirmPassword: {description: "The new account's password again.", type: str}
              firstName: {description: "First name of a new account.", type: str}
              lastName: {description: "Last name of a new account.", type: str}
              acceptTerms: {description: "Accept the terms of use.", type: bool}
              actions: {description: "Page actions.", type: list, elements: str}
          summary: {description: "The summary page's answers (C(report), a folder here).", type: dict}
      recorders:
        description: The site's recorders, each by MAC address, with the sections where it differs.
        type: list
        elements: dict
        required: true
        suboptions:
          mac: {description: "The recorder's MAC address.", type: str, required: true}
          password: *password
          timeZone: {description: "Answers of the time zone step.", type: dict}
          hdd: {description: "Answers of the disk step.", type: dict}
          searchCAM: *searchcam
          nimbora: *nimbora
  jobs:
    description: How many recorders are set up at a time (1 to 64).
    type: int
    default: 4
  program:
    description: The path of the C(nvrwizard) program on the site host.
    type: path
    default: /usr/bin/nvrwizard
notes:
  - Check mode runs the program with C(--check), a survey that sends no changing command and
    writes nothing on the site host, and reports what each recorder would change.
'''

EXAMPLES = r'''
- name: Set up the recorders of this site
  nvrsetup.sites.recorders:
    plan:
      answers:
        language: EN
        password: {password: "{{ vault_admin_password }}"}
        timeZone: {zone: Dublin}
        hdd: {format: [1]}
        searchCAM: {cameras: [{camera: 1}, {camera: 2}], password: "{{ vault_camera_password }}"}
        summary: {report: /var/lib/nvrwizard/reports/}
      recorders:
        - mac: "00:1c:27:00:0a:01"
        - mac: "00:1c:27:00:0a:02"
          hdd: {format: []}
    jobs: 2
  register: site
'''

RETURN = r'''
recorders:
  description: Each recorder's result, in the plan's order, as the wizard's batch result gives it.
  returned: when the program printed a result
  type: list
  elements: dict
  contains:
    mac:
      description: "The recorder's MAC address."
      type: str
    outcome:
      description: "C(succeeded), C(failed), C(stopped) or C(not started)."
      type: str
    step:
      description: "The last page or step its run showed."
      type: str
    ip:
      description: "The recorder's address."
      type: str
    channels:
      description: "What each of the nine channels holds (model or null)."
      type: list
    cloudNumber:
      description: "The cloud device number once registered."
      type: str
    failure:
      description: "Why its run failed."
      type: str
    diagnosis:
      description: "Why the recorder could not be reached (C(cause) and C(message))."
      type: dict
    changed:
      description: "The steps that changed something."
      type: list
    wouldChange:
      description: "In check mode, what a run would change (C(step) and C(reason))."
      type: list
    report:
      description: "The setup report's path on the site host."
      type: str
    files:
      description: "The items left on the site host."
      type: dict
    errors:
      description: "Items that could not be made, as C(path: reason)"
      type: list
counts:
  description: How many recorders C(succeeded) (set up, or surveyed), C(failed), were C(stopped) or C(notStarted).
  returned: when the program printed a result
  type: dict
'''

import json

from ansible.module_utils.basic import AnsibleModule

EXIT_OK = 0
EXIT_REFUSED = 2
EXIT_WOULD_CHANGE = 3


def _section(**options):
    return dict(type='dict', no_log=False, options=options)


def _secret():
    return dict(type='str', no_log=True)


def _actions():
    return dict(type='list', elements='str')


def _sections_with_secrets():
    return dict(
        password=_section(password=_secret(), newPassword=_secret(), actions=_actions(),
                          reset=_section(user=dict(type='str'), password=_secret())),
        searchCAM=_section(
            cameras=dict(type='list', elements='dict', options=dict(camera=dict(type='raw', required=True),
                                                                    password=_secret())),
            password=_secret(), rescan=dict(type='bool'), actions=_actions()),
        nimbora=_section(
            account=dict(type='str', choices=['existing', 'new', 'skip']), email=dict(type='str'),
            password=_secret(), confirmPassword=_secret(), firstName=dict(type='str'),
            lastName=dict(type='str'), acceptTerms=dict(type='bool'), actions=_actions()),
    )


def argument_spec():
    answers = dict(language=dict(type='str'), timeoutSeconds=dict(type='int'), welcome=dict(type='dict'),
                   install=dict(type='dict'), searchNVR=dict(type='dict'), timeZone=dict(type='dict'),
                   hdd=dict(type='dict'), summary=dict(type='dict'), **_sections_with_secrets())
    recorder = dict(mac=dict(type='str', required=True), timeZone=dict(type='dict'), hdd=dict(type='dict'),
                    **_sections_with_secrets())
    plan = dict(answers=dict(type='dict', default={}, options=answers),
                recorders=dict(type='list', elements='dict', required=True, options=recorder))
    return dict(plan=dict(type='dict', required=True, options=plan),
                jobs=dict(type='int', default=4),
                program=dict(type='path', default='/usr/bin/nvrwizard'))


def without_unset(value):
    """The plan as the user wrote it: the argument checks fill every option left out with None."""
    if isinstance(value, dict):
        return dict((k, without_unset(v)) for k, v in value.items() if v is not None)
    if isinstance(value, list):
        return [without_unset(v) for v in value]
    return value


def failure_line(recorder):
    line = '%s: %s' % (recorder.get('mac'), recorder.get('failure') or recorder.get('outcome'))
    diagnosis = recorder.get('diagnosis')
    if diagnosis:
        line += ' (%s)' % diagnosis.get('message', diagnosis.get('cause'))
    return line


def steps_changed(recorders, check_mode):
    key = 'wouldChange' if check_mode else 'changed'
    return any(r.get(key) for r in recorders)


def main():
    module = AnsibleModule(argument_spec=argument_spec(), supports_check_mode=True)
    plan = without_unset(module.params['plan'])
    program = module.params['program']
    args = [program, '--batch', '-', '--jobs', str(module.params['jobs'])]
    if module.check_mode:
        args.append('--check')
    status, out, err = module.run_command(args, data=json.dumps(plan), binary_data=True)
    try:
        result = json.loads(out)
    except ValueError:
        result = None
    if status == EXIT_REFUSED or not isinstance(result, dict):
        module.fail_json(msg='%s did not set up the recorders (exit code %d): %s'
                         % (program, status, err.strip() or out.strip()), rc=status)

    recorders = result.get('recorders', [])
    for recorder in recorders:
        for error in recorder.get('errors') or []:
            module.warn('%s: not made: %s' % (recorder.get('mac'), error))
    changed = steps_changed(recorders, module.check_mode)
    counts = dict((key, result.get(key, 0)) for key in ('succeeded', 'failed', 'stopped', 'notStarted'))
    summary = dict(changed=changed, recorders=recorders, counts=counts)
    unfinished = [r for r in recorders if r.get('outcome') != 'succeeded']
    if unfinished or status not in (EXIT_OK, EXIT_WOULD_CHANGE):
        lines = [failure_line(r) for r in unfinished] or [err.strip()]
        module.fail_json(msg='%d of %d recorders were not set up: %s'
                         % (len(unfinished), len(recorders), '; '.join(lines)),
                         rc=status, **summary)
    module.exit_json(**summary)


if __name__ == '__main__':
    main()
